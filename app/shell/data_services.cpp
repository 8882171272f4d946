#include "app/shell/data_services.h"

// Empty until the program hands its own over (app/data_services.cpp).
DATASERVICES DataServices = {};
