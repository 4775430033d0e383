#include "app/connection_lists.h"

#include <cstdio>
#include <cstdlib>

std::string PortName(int portNumber) {
    if (portNumber <= 0 || portNumber > 255) {
        return "NULL";
    }
    char text[8];
    std::snprintf(text, sizeof text, "%02d", portNumber);
    return text;
}

std::vector<std::string> PortItems() {
    std::vector<std::string> items;
    for (int port = 1; port <= 255; ++port) {
        items.push_back(PortName(port));
    }
    return items;
}

std::vector<std::string> BaudItems() {
    return {kBaudNames.begin(), kBaudNames.end()};
}

std::vector<std::string> ParityItems() {
    return {"NONE", "EVEN", "ODD"};
}

std::vector<std::string> AddressModeItems() {
    return {kAddressModeNames.begin(), kAddressModeNames.end()};
}

std::vector<std::string> CommAddressItems() {
    std::vector<std::string> items;
    for (int address = 0; address < 200; ++address) {
        items.push_back(std::to_string(address));
    }
    return items;
}

int LeadingNumber(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

int ParityCode(const std::string& text) {
    if (text == "NONE") {
        return 0;
    }
    if (text == "ODD") {
        return 2;
    }
    return 1;
}
