#include "cli/headless_prompts.h"

#include <cstdio>

#include "protocol/requests.h"

namespace cli {

HeadlessPrompts::HeadlessPrompts(bool answerYes, std::string fileName)
    : answerYes_(answerYes), fileName_(std::move(fileName)) {}

PromptAnswer HeadlessPrompts::MessageBox(const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (request.buttons == PromptButtons::kOk) {
        std::fprintf(stderr, "voltscope-cli: %s: %s\n", request.caption.c_str(),
                     request.text.c_str());
        return PromptAnswer::kOk;
    }
    const PromptAnswer answer = answerYes_ ? PromptAnswer::kYes : PromptAnswer::kNo;
    std::fprintf(stderr, "voltscope-cli: %s: %s -> %s\n", request.caption.c_str(),
                 request.text.c_str(), answerYes_ ? "Yes" : "No");
    return answer;
}

std::optional<std::string> HeadlessPrompts::SaveFileName(const FileDialogRequest&) {
    if (RequestTotals().incompleteReplies != 0) {
        refused_ = true;
        return std::nullopt;
    }
    return fileName_;
}

std::optional<std::string> HeadlessPrompts::OpenFileName(const FileDialogRequest&) {
    return openFileName_ ? *openFileName_ : fileName_;
}

bool HeadlessPrompts::Showed(const std::string& caption) const {
    for (const MessageBoxRequest& box : boxes_) {
        if (box.caption == caption) {
            return true;
        }
    }
    return false;
}

}  // namespace cli
