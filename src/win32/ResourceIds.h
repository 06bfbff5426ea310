#pragma once
// Numbers of the resources built into Kelvora.exe; shared by the resource
// script and the code.

#define IDI_KELVORA 1
#define IDR_BUILTIN_GO 101
#define IDR_BUILTIN_STOP 102
// The version 6 common controls, activated for the tooltips and message box.
#define IDR_COMMON_CONTROLS_MANIFEST 201
