#pragma once
// voltscope-cli run as its own process against a simulated panel linked as COM5 in a private
// ports folder (the child inherits the folder through the environment).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

extern char** environ;

namespace testing_support {

inline constexpr unsigned kPanelCom = 5;

struct CliResult {
    int exitCode = -1;  // -signal when the tool did not exit by itself
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        panel_.setSoftwareVersion(410);
        panel_.linkAsComPort(kPanelCom);
    }
    void TearDown() override { CloseCommPort(); }

    // Starts the tool; its output goes to files in the ports folder's directory.
    pid_t Start(const std::vector<std::string>& args) {
        std::vector<char*> argv{const_cast<char*>(VOLTSCOPE_CLI_PATH)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, OutPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&files, 2, ErrPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid = -1;
        int failed = posix_spawn(&pid, VOLTSCOPE_CLI_PATH, &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        EXPECT_EQ(failed, 0) << VOLTSCOPE_CLI_PATH;
        return pid;
    }

    CliResult Wait(pid_t pid) {
        CliResult result;
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid) {
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        }
        result.out = ReadFile(OutPath());
        result.err = ReadFile(ErrPath());
        return result;
    }

    CliResult Run(const std::vector<std::string>& args) { return Wait(Start(args)); }

    // Every byte the panel received up to now: a marker of our own goes down the line after
    // them. The panel drops it as it drops any byte that cannot begin a frame.
    std::vector<uint8_t> BytesSoFar() {
        constexpr uint8_t kMarker = 0xFF;
        int fd = ::open(panel_.devicePath().c_str(), O_WRONLY | O_NOCTTY);
        EXPECT_EQ(::write(fd, &kMarker, 1), 1);
        ::close(fd);
        std::vector<uint8_t> bytes = BytesUpTo(kMarker);
        if (!bytes.empty()) {
            bytes.pop_back();
        }
        panel_.clearReceivedBytes();
        return bytes;
    }

    // The bytes the panel received, once the last of them is `last`.
    std::vector<uint8_t> BytesUpTo(uint8_t last) {
        for (int i = 0; i < 1000; ++i) {
            std::vector<uint8_t> bytes = panel_.receivedBytes();
            if (!bytes.empty() && bytes.back() == last) {
                return bytes;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return panel_.receivedBytes();
    }

    PrivatePortsFolder ports_;
    sim::PtyPanel panel_;

  private:
    std::string OutPath() const { return ports_.dir() + "/cli.out"; }
    std::string ErrPath() const { return ports_.dir() + "/cli.err"; }
};

}  // namespace testing_support
