// One installer at a time.
#pragma once

// 1 when no other copy of the installer is running; the claim lasts until the process ends.
int ClaimSingleInstance(void);
