#pragma once
// The forms layer in one include: forms, controls, control arrays, pictures,
// the screen, and MsgBox. See platform/forms/README.md.

#include "platform/forms/control.h"
#include "platform/forms/control_array.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/picture.h"
#include "platform/forms/screen.h"
#include "platform/forms/types.h"
