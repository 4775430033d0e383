#pragma once
// Captures the serial link's diagnostic lines instead of printing them, for as long as it lives.
#include <mutex>
#include <string>

#include "serial/serial_link.h"

namespace testing_support {

class DiagnosticLog {
  public:
    DiagnosticLog() {
        serial::SetDiagnosticSink([this](const std::string& line) {
            std::lock_guard guard(mutex_);
            text_ += line;
        });
    }
    ~DiagnosticLog() { serial::SetDiagnosticSink(nullptr); }
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;
    std::string text() const {
        std::lock_guard guard(mutex_);
        return text_;
    }

  private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace testing_support
