#include "serial/port_name.h"

#include <cstdio>

std::string ComDeviceName(unsigned portNumber) {
    char name[32];
    if (portNumber < 10) {
        std::snprintf(name, sizeof name, "COM%u", portNumber);
    } else {
        std::snprintf(name, sizeof name, "\\\\.\\COM%u", portNumber);
    }
    return name;
}
