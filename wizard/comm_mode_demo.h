// The wizard's demo port choice. Entering it makes the system behave as if a panel with
// firmware 1.2 had been identified, so drivers needing newer firmware fail their check.
#pragma once

void commModeDemo();
