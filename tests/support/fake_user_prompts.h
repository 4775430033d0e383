#pragma once
// A scripted UserPrompts: records every call in order and answers Yes/No boxes from a queue.
#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pages/kit/user_prompts.h"

namespace testing_support {

struct PromptCall {
    std::string kind;  // "box", "wait+", "wait-", "progress", "range", "step", "text", "destroy",
                       // "open", "save", "open file"
    MessageBoxRequest box;
    FileDialogRequest file;
    std::string text;
    int a = 0, b = 0, c = 0;
    std::size_t requestsBefore = 0;  // how many requests the panel had seen at that moment
};

class FakeUserPrompts : public UserPrompts {
  public:
    // Answers for Yes/No boxes, taken in order. An OK box needs none.
    std::deque<PromptAnswer> answers;
    // Answers for file dialogs, taken in order; nullopt cancels.
    std::deque<std::optional<std::string>> fileNames;
    std::vector<PromptCall> calls;
    // Stamps each call with the simulator's request count.
    std::function<std::size_t()> requestCounter;
    int waitDepth = 0;

    PromptAnswer MessageBox(const MessageBoxRequest& request) override {
        Record("box").box = request;
        if (request.buttons == PromptButtons::kOk) {
            return PromptAnswer::kOk;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << request.text;
            return request.defaultButton;
        }
        PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void BeginWaitCursor() override {
        ++waitDepth;
        Record("wait+");
    }
    void EndWaitCursor() override {
        --waitDepth;
        Record("wait-");
    }
    void CreateProgress(const std::string& title, bool smooth) override {
        progressShowing_ = true;
        auto& c = Record("progress");
        c.text = title;
        c.a = smooth ? 1 : 0;
    }
    void SetProgressRange(int lower, int upper, int step) override {
        auto& c = Record("range");
        c.a = lower;
        c.b = upper;
        c.c = step;
    }
    void StepProgress(int times) override { Record("step").a = times; }
    void SetProgressText(const std::string& text) override { Record("text").text = text; }
    void DestroyProgress() override {
        progressShowing_ = false;
        Record("destroy");
    }
    // The user presses the progress window's Cancel once the panel has seen this many requests.
    std::optional<std::size_t> cancelAtRequest;
    bool ProgressCancelled() const override {
        return progressShowing_ && cancelAtRequest && requestCounter &&
               requestCounter() >= *cancelAtRequest;
    }
    void OpenDocument(const std::string& pathOrUrl) override { Record("open").text = pathOrUrl; }
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override {
        return FileDialog("save", request);
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override {
        return FileDialog("open file", request);
    }

    std::vector<MessageBoxRequest> Boxes() const {
        std::vector<MessageBoxRequest> boxes;
        for (const auto& c : calls) {
            if (c.kind == "box") {
                boxes.push_back(c.box);
            }
        }
        return boxes;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& b : Boxes()) {
            captions.push_back(b.caption);
        }
        return captions;
    }
    std::vector<const PromptCall*> OfKind(const std::string& kind) const {
        std::vector<const PromptCall*> found;
        for (const auto& c : calls) {
            if (c.kind == kind) {
                found.push_back(&c);
            }
        }
        return found;
    }

  private:
    bool progressShowing_ = false;
    std::optional<std::string> FileDialog(const std::string& kind,
                                          const FileDialogRequest& request) {
        PromptCall& c = Record(kind);
        c.file = request;
        if (fileNames.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.title;
            return std::nullopt;
        }
        std::optional<std::string> name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    PromptCall& Record(const std::string& kind) {
        PromptCall c;
        c.kind = kind;
        c.requestsBefore = requestCounter ? requestCounter() : 0;
        calls.push_back(c);
        return calls.back();
    }
};

}  // namespace testing_support
