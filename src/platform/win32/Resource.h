// Resource numbers shared by Korvane.rc and the code that loads them.
#pragma once

#define IDI_KORVANE 1
