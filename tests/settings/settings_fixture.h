#pragma once
// Shared pieces of the settings tests: a complete config.ini, a profile that
// records every call it passes on, and a scripted file dialog installed for
// the duration of a test (in both builds).
#include <gtest/gtest.h>

#include "platform/headless/file_dialog_headless.h"
#include "platform/platform.h"
#include "settings/config_store.h"
#include "tests/support/temp_folder.h"
#include "ui/tips.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace settingstest {

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
    void set(const std::string& key, const std::string& value)
    {
        for (auto& kv : keys)
            if (kv.first == key) {
                kv.second = value;
                return;
            }
        keys.emplace_back(key, value);
    }
};

struct IniText {
    std::vector<IniSection> sections;
    IniSection& section(const std::string& name)
    {
        for (auto& s : sections)
            if (s.name == name)
                return s;
        sections.push_back({name, {}});
        return sections.back();
    }
    void remove(const std::string& name)
    {
        std::erase_if(sections, [&](const IniSection& s) { return s.name == name; });
    }
    std::string str() const
    {
        std::string out;
        for (const auto& s : sections) {
            out += "[" + s.name + "]\r\n";
            for (const auto& [k, v] : s.keys)
                out += k + "=" + v + "\r\n";
            out += "\r\n";
        }
        return out;
    }
};

inline const char* kCtrlShiftC = "Ctrl&split&162&split&Shift&split&160&split&Alt&split&&split&Win&split&&split&C&split&67";

// A config.ini with every key the program reads and writes, all inside their
// ranges and mostly distinct, so a key read into the wrong field shows.
IniText completeConfig(const std::string& productEn = "KVX Gaming Mouse", const std::string& productCn = "KVX-CN Mouse");

// Passes every call on to the installed profile and records it.
class RecordingProfile : public platform::Profile {
public:
    struct Call {
        bool write = false;
        Text section;
        Text key;
        size_t buffer = 0;
        Text value;
    };
    explicit RecordingProfile(platform::Profile& inner) : inner_(inner) {}

    Text getString(const Text& file, const Text& section, const Text& key, const Text& dflt, size_t buffer) override
    {
        calls.push_back({false, section, key, buffer, {}});
        return inner_.getString(file, section, key, dflt, buffer);
    }
    std::vector<platform::ProfileEntry> getSection(const Text& file, const Text& section, size_t valueChars) override
    {
        calls.push_back({false, section, {}, valueChars, {}});
        return inner_.getSection(file, section, valueChars);
    }
    int getInt(const Text& file, const Text& section, const Text& key, int dflt) override
    {
        calls.push_back({false, section, key, 0, {}});
        return inner_.getInt(file, section, key, dflt);
    }
    bool writeString(const Text& file, const Text& section, const Text& key, const Text& value) override
    {
        calls.push_back({true, section, key, 0, value});
        return inner_.writeString(file, section, key, value);
    }
    bool deleteKey(const Text& file, const Text& section, const Text& key) override
    {
        return inner_.deleteKey(file, section, key);
    }
    bool deleteSection(const Text& file, const Text& section) override
    {
        return inner_.deleteSection(file, section);
    }

    std::vector<Call> calls;

private:
    platform::Profile& inner_;
};

// A fresh folder with the config files, a fresh store, tips cleared, and the
// scripted file dialog in place of the build's own.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::clearShownTips();
        savedDialog_ = platform::os().fileDialog;
        platform::os().fileDialog = &dialog;
    }
    void TearDown() override
    {
        platform::os().fileDialog = savedDialog_;
        if (recording_)
            platform::os().profile = savedProfile_;
    }

    // The configuration folder as the program passes it: with a trailing '\'.
    Text folder() const { return dir.path() + u"\\"; }
    Text configFile() const { return dir.file("config.ini"); }
    void writeConfig(const IniText& ini) const { dir.writeText(u"config.ini", ini.str()); }
    void writeFactory(const IniText& ini) const { dir.writeText(u"configReset.ini", ini.str()); }
    Text read(const Text& file, const char* section, const char* key, size_t buffer = 300) const
    {
        return platform::os().profile->getString(file, T(section), T(key), u"<missing>", buffer);
    }
    RecordingProfile& record()
    {
        savedProfile_ = platform::os().profile;
        recording_ = std::make_unique<RecordingProfile>(*savedProfile_);
        platform::os().profile = recording_.get();
        return *recording_;
    }

    testsupport::TempFolder dir;
    std::unique_ptr<settings::ConfigStore> store = std::make_unique<settings::ConfigStore>();
    platform::headless::ScriptedFileDialog dialog;

private:
    platform::FileDialog* savedDialog_ = nullptr;
    platform::Profile* savedProfile_ = nullptr;
    std::unique_ptr<RecordingProfile> recording_;
};

} // namespace settingstest
