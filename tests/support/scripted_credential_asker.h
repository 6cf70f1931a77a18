#pragma once
// A credential asker for the SMB tests: answers from a list, one per question, and records
// the questions as "server/share", with " again" after a refused answer.

#include <optional>
#include <string>
#include <vector>

#include "platform/smb_credentials.h"

namespace pelmora::testing {

class ScriptedAsker final : public platform::SmbCredentialAsker {
public:
    explicit ScriptedAsker(std::vector<std::optional<platform::SmbCredentials>> answers)
        : answers_(std::move(answers)) {}
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string& share,
                                                bool again) override {
        questions.push_back(server + "/" + share + (again ? " again" : ""));
        if (questions.size() > answers_.size()) return std::nullopt;
        return answers_[questions.size() - 1];
    }
    std::vector<std::string> questions;

private:
    std::vector<std::optional<platform::SmbCredentials>> answers_;
};

}  // namespace pelmora::testing
