#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/MessageCapture.h"
#include "config/PlatformInternal.h"
#include "eventconfig/config/Platform.h"

namespace {

struct PathCase {
    const wchar_t* exePath;
    wchar_t separator;
    const wchar_t* expected;
};

TEST(EventConfigPath, CutsTwiceAndAppendsTheFileName) {
    const std::wstring longDir(300, L'd');  // beyond the old 260-character buffer
    const PathCase cases[] = {
        {L"D:\\Tools\\bin\\host.exe", L'\\', L"D:\\Tools\\EventConfig\\EventConfig.xml"},
        // Directly in a drive's root: the second cut finds no separator.
        {L"C:\\host.exe", L'\\', L"\\EventConfig\\EventConfig.xml"},
        {L"host.exe", L'\\', L"\\EventConfig\\EventConfig.xml"},
        {L"", L'\\', L"\\EventConfig\\EventConfig.xml"},
        {L"\\\\server\\share\\bin\\host.exe", L'\\',
         L"\\\\server\\share\\EventConfig\\EventConfig.xml"},
        // Only the given separator counts.
        {L"D:/Tools/bin\\host.exe", L'\\', L"\\EventConfig\\EventConfig.xml"},
        {L"D:\\Tools\\bin\\", L'\\', L"D:\\Tools\\EventConfig\\EventConfig.xml"},
        {L"/opt/host/bin/host", L'/', L"/opt/host/EventConfig/EventConfig.xml"},
        {L"/host", L'/', L"/EventConfig/EventConfig.xml"},
        {L"/opt/\u5DE5\u5177/bin/host", L'/', L"/opt/\u5DE5\u5177/EventConfig/EventConfig.xml"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(EventConfigPathForExecutable(c.exePath, c.separator), c.expected) << c.exePath;
    }
    EXPECT_EQ(EventConfigPathForExecutable(L"C:\\" + longDir + L"\\bin\\host.exe", L'\\'),
              L"C:\\" + longDir + L"\\EventConfig\\EventConfig.xml");
}

TEST(EventConfigPath, ExecutablePathNamesThisProgramAndGivesTheDefault) {
    const std::wstring exe = EventConfigExecutablePath();
    ASSERT_FALSE(exe.empty());
    const std::filesystem::path path(exe);
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_EQ(path.stem().wstring().rfind(L"eventconfig_", 0), 0u) << path;
    // The default path is the rule applied to this program.
#if defined(_WIN32)
    const wchar_t separator = L'\\';
#else
    const wchar_t separator = L'/';
#endif
    EXPECT_EQ(EventConfigDefaultPath(), EventConfigPathForExecutable(exe, separator));
    EXPECT_EQ(std::filesystem::path(EventConfigDefaultPath()),
              path.parent_path().parent_path() / L"EventConfig" / L"EventConfig.xml");
}

void FirstHandler(const std::wstring&) {}
void SecondHandler(const std::wstring&) {}

TEST(EventConfigMessage, HandlerIsReplacedAndRestored) {
    const EventConfigMessageHandler original = SetEventConfigMessageHandler(&FirstHandler);
    EXPECT_EQ(SetEventConfigMessageHandler(&SecondHandler), &FirstHandler);
    EXPECT_EQ(SetEventConfigMessageHandler(nullptr), &SecondHandler);
    EXPECT_EQ(SetEventConfigMessageHandler(original), nullptr);
}

#if !defined(_WIN32)
TEST(EventConfigMessage, DefaultWritesOneUtf8LineToStandardError) {
    const EventConfigMessageHandler previous = SetEventConfigMessageHandler(nullptr);
    ::testing::internal::CaptureStderr();
    ecfg::ShowEventConfigMessage(ecfg::MissingFileMessage(L"/x/\u00E9.xml"));
    const std::string written = ::testing::internal::GetCapturedStderr();
    SetEventConfigMessageHandler(previous);
    EXPECT_EQ(written,
              "\xE9\x85\x8D\xE7\xBD\xAE\xE6\x96\x87\xE4\xBB\xB6:/x/\xC3\xA9.xml"
              "\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8\n");
}
#endif

}  // namespace
