#pragma once

// Window timers run on the application clock.  It lives in platform/clock, a
// library that needs only Qt Core, so the audio and media engines that follow
// it need no widgets.
#include "platform/clock/Clock.h"
