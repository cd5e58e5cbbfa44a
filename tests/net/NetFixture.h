#pragma once
// A launcher window whose update server is two fixture servers (file port and picture port) and
// whose install folder is a fresh temporary folder; records the progress events that reach rpb1
// with the bar's state after each.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/LauncherWindow.h"
#include "net/FixtureServer.h"
#include "support/TestSupport.h"
#include "ui/Application.h"

namespace qel::testing {

struct BarEvent {
    bool begin;
    std::int32_t count;
    std::int32_t totalParts, partsComplete;
    std::int16_t percent;
};

class NetFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string PathOf(const std::string& name) const { return window->site().PathOf(name); }
    void WriteFile(const std::string& name, const std::string& content) const;
    std::string ReadFile(const std::string& name) const;
    // The names in the install folder.
    std::vector<std::string> Listing() const;
    // The head of a 200 reply with a Content-Length, and a whole 200 reply with that body.
    static std::string OkHead(std::size_t length, const std::string& more = "");
    static std::string Ok(const std::string& body, const std::string& more = "");
    // Runs f and returns the message of the error it throws ("" when none).
    template <typename F>
    static std::string ErrorOf(F&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }
    std::string Request(const std::string& target, std::uint16_t port, const std::string& cookie = "") const;

    std::unique_ptr<ui::Application> app;
    FixtureServer files;
    FixtureServer pictures;
    std::unique_ptr<Tf_inst> window;
    std::vector<BarEvent> events;
    std::unique_ptr<ScratchFolder> scratch;
    std::string folder;
};

}  // namespace qel::testing
