// A complete driver for the checker's tests: every mandatory keyword, every keyword with a
// default and every option the check would add, so that checking it logs no finding.
// driverText gives it with the statements starting with a `dropped` prefix left out and the
// `added` ones appended.
#pragma once

#include <string>
#include <vector>

namespace checked_driver {

using Lines = std::vector<std::string>;

inline const Lines kCompleteDriver = {
    "PROJ-FILE-FMT=1", "IR-TIME-0L=560u", "IR-TIME-0H=560u", "IR-TIME-1L=1690u", "IR-TIME-1H=560u",
    "PROJ-BAUD-RATE=9600,8,N,1", "BYTES-TO-QUEUE=4", "POWER-POLL-INTERVAL=5s",
    "POWER-POLL-TIMEOUT=1s", "POWER-POLL-THRESHOLD=3", "POWER-POLL-STARTBYTE=1",
    "POWER-POLL-MATCH-ANY=FALSE", "POWER-POLL-MATCH-BYTES=\"'ON'\"", "POWER-POLL-TESTBYTE-MASK=255",
    "POWER-POLL-DURING-WARMUP=FALSE", "POWER-POLL-DURING-LOCKOUT=FALSE", "POWER-POLL-LOCKOUT=30s",
    "PROJ-USES-ABSOLUTE-VOL=FALSE", "VOL-MUTE=0", "VOL-RANGE=40", "VOL-FLOOR=0", "IO-DOWNTIME=100m",
    "WARM-UP-DELAY=30s", "POWER-ON-DELAY=10s", "IO-CANCEL-DOWNTIME-ON-RX=FALSE",
    "USE-MODULATION-WHEN-WIRED=TRUE", "INVERT-LINE-WHEN-WIRED=FALSE", "CARRIER-PERIOD=26u",
    "CARRIER-DUTY-CYCLE=50", "PROJ-MISSING-THRESHOLD=5", "IRCODE['ON']=\"%0101\"",
    "IRCODE['OFF']=\"%0110\"", "IRCODE['VUP']=\"%0111\"", "IRCODE['VDN']=\"%1000\"",
    "RSCODE['HDMI']=\"'HDMI',$0D\",IS-SELECTION", "RSCODE['FRZ']=\"'FRZ',$0D\",IS-HIDDEN",
    "DEFAULT-CORE-FUNCT[ON]='ON'", "DEFAULT-CORE-FUNCT[OFF]='OFF'", "DEFAULT-CORE-FUNCT[VUP]='VUP'",
    "DEFAULT-CORE-FUNCT[VDN]='VDN'", "DEFAULT-SELECTION[1]='HDMI'", "DEFAULT-HID-FUNCT['1']='FRZ'",
    "DEFAULT-LOCKOUT=20s", "POWER-SENSE-OPTIONS=None,Sensor,RS232Poll",
    "IR-WIRING-OPTIONS=IR-Emitter,Wired-Serial", "PASSIVE-MODE=FALSE",
    "ROOM-USE-INACT-SHUTDOWN-TIMER=FALSE", "ROOM-INACT-SHUTDOWN-TIMER=2M",
    "ROOM-ALTERNATE-CTS-USE=CTS", "ROOM-ENABLE-AUX-AUDIO=FALSE", "ROOM-USE-POWER-ON-VOL=FALSE",
    "ROOM-VOL-POWER-ON-LEVEL=85", "ROOM-RELAY-USE-ADVANCED=FALSE", "ROOM-AFVP-DEFEAT-PREAMP=FALSE",
    "ROOM-AFVP-DEFEAT-EQ=FALSE", "ROOM-STICKY-HIDDEN-ON=FALSE", "ROOM-IR-PASSTHRU-ON=FALSE",
    "ROOM-POWER-ON-SELECTION=1", "ROOM-USE-POWER-ON-SELECTION=FALSE", "ROOM-USE-OFF-PRESS-HOLD=FALSE",
};

inline std::string driverText(const Lines& dropped, const Lines& added) {
  std::string text;
  for (const std::string& line : kCompleteDriver) {
    bool drop = false;
    for (const std::string& prefix : dropped) drop = drop || line.rfind(prefix, 0) == 0;
    if (!drop) text += line + "\r\n";
  }
  for (const std::string& line : added) text += line + "\r\n";
  return text;
}

}  // namespace checked_driver
