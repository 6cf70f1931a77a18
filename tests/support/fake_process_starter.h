#pragma once
// A process starter that starts nothing: it records each call and plays what the test tells
// it, for cases a real program cannot be made to produce.

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/process_starter.h"

namespace pelmora::testing {

class FakeProcessStarter : public platform::ProcessStarter {
public:
    platform::ScriptRunOutcome RunCommandScript(const std::string& scriptPath,
                                                std::chrono::milliseconds timeout) override {
        calls.push_back("script|" + scriptPath);
        std::ifstream script(scriptPath, std::ios::binary);
        scripts.emplace_back(std::istreambuf_iterator<char>(script), std::istreambuf_iterator<char>());
        timeouts.push_back(timeout);
        return onScript ? onScript(scriptPath) : platform::ScriptRunOutcome::Finished;
    }
    bool StartProgram(const std::vector<std::string>& arguments) override {
        std::string call = "program";
        for (const std::string& argument : arguments) call += "|" + argument;
        calls.push_back(call);
        return true;
    }
    bool OpenWithDefaultProgram(const std::string& path) override {
        calls.push_back("open|" + path);
        return true;
    }
    void OpenWithDefaultProgramReporting(const std::string& path,
                                         std::function<void(platform::OpenerOutcome)> done) override {
        calls.push_back("open|" + path);
        done(openerOutcome);
    }

    // How the desktop's opener ends, for the callers that ask.
    platform::OpenerOutcome openerOutcome = platform::OpenerOutcome::Opened;

    // What a script run does instead (write an output file, say) and how it ends.
    std::function<platform::ScriptRunOutcome(const std::string& scriptPath)> onScript;
    std::vector<std::string> calls;
    std::vector<std::string> scripts;  // each script's bytes as it was run
    std::vector<std::chrono::milliseconds> timeouts;
};

}  // namespace pelmora::testing
