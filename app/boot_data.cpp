#include "app/boot_data.h"

cBootData BootData;
