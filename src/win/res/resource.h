#pragma once
// Icons: the program and the enabled look of the notification-area icon, then its disabled look.
#define IDI_APP 1
#define IDI_DISABLED 2
