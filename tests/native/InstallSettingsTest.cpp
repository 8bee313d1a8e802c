// The settings an installer writes for a lab: what each property becomes in the settings file,
// what is left alone, and what refuses the install.
#include "program/InstallSettings.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(InstallSettingsTest, PropertiesBecomeSettingsOrARefusal) {
    const std::string switchRange = " must be 0 or 1.",
                      delayRange = "DELAY must be a number of milliseconds from 0 to 32767.";
    const struct {
        std::vector<std::string> words;
        std::vector<SettingValue> values;
        std::string refusal;
    } cases[] = {
        // As the package passes "nothing given": every name, empty.
        {{"LOCKALL=", "RESTORE=", "MINIMIZE=", "STANDBY=", "DELAY=", "LANGUAGE="}, {}, ""},
        // The shipped UseLastState=1 would win over lock-all: it is turned off with it.
        {{"LOCKALL=1", "RESTORE=", "MINIMIZE=1"},
         {{"Default", "DeviceAll", "1"},
          {"Default", "UseLastState", "0"},
          {"Default", "Minimize", "1"}},
         ""},
        {{"LOCKALL=0", "STANDBY=0", "DELAY=0032767", "LANGUAGE=1"},
         {{"Default", "DeviceAll", "0"},
          {"Default", "Standby", "0"},
          {"Default", "Delay", "32767"},
          {"Language", "Language", "1"}},
         ""},
        {{"LOCKALL=1", "RESTORE=1"}, {}, "LOCKALL=1 and RESTORE=1 cannot be given together."},
        {{"MINIMIZE=2"}, {}, "MINIMIZE" + switchRange},
        {{"LANGUAGE=yes"}, {}, "LANGUAGE" + switchRange},
        {{"DELAY=32768"}, {}, delayRange},
        {{"DELAY=-1"}, {}, delayRange},
        {{"DELAY=99999999999"}, {}, delayRange},
        {{"PASSWORD=x"}, {}, "Unknown setting \"PASSWORD=x\"."},
        {{"LOCKALL"}, {}, "Unknown setting \"LOCKALL\"."},
    };
    for (const auto& c : cases) {
        const InstallSettings got = SettingsFromProperties(c.words);
        EXPECT_EQ(got.values, c.values) << c.words.front();
        EXPECT_EQ(got.refusal, c.refusal) << c.words.front();
    }
}

}  // namespace
}  // namespace velkor
