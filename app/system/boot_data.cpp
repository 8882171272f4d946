#include "app/system/boot_data.h"

cBootData BootData;
