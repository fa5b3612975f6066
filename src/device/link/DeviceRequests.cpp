#include "DeviceRequests.h"
