#include "app/help_documents.h"

std::string DocumentBesideProgram(const std::string& programPath, const std::string& document) {
    std::size_t slash = programPath.find_last_of('/');
    if (slash == std::string::npos) {
        return document;
    }
    return programPath.substr(0, slash + 1) + document;
}
