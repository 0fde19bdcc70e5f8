#pragma once
// The three windows as the program entry makes them, started from a folder
// of their own that holds "Zvenoks.exe" (so no file dialog) and a config.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "app/Form1_win.h"
#include "settings/Form3_win.h"
#include "tests/win/WinTestSupport.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"

namespace zv::win::test {

struct Program {
    explicit Program(int showCommand = SW_SHOWNOACTIVATE) {
        form1.Create();
        application.AddDialog(form2);
        application.AddDialog(form3);
        form1.SetDialogs(&form2, &form3);
        form1.ShowOnStart(showCommand);
        PumpMessages();
    }
    HWND ApplicationWindow() const { return reinterpret_cast<HWND>(application.WindowHandle()); }

    TApplication application;
    TForm1 form1{application};
    TForm2 form2{ApplicationWindow()};
    TForm3 form3{ApplicationWindow(), form1.Memo(), form1.AutoRunner(), form1.StartupPhaseRef()};
};

inline std::vector<std::string>& ErrorsShown() {
    static std::vector<std::string> shown;
    return shown;
}

class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char buffer[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, buffer);
        previous_ = buffer;
        GetTempPathA(MAX_PATH, buffer);
        dir_ = std::string(buffer) + "zv-clock-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        Put(dir_ + "\\Zvenoks.exe", "");
        Put(dir_ + "\\config.cfg", "Hotkey=0\r\nKey=1\r\nRun=1\r\n");
        SetCurrentDirectoryA(dir_.c_str());
        ErrorsShown().clear();
        SetErrorSink([](const std::string& text) { ErrorsShown().push_back(text); });
    }
    void TearDown() override {
        PumpMessages();
        SetErrorSink(nullptr);
        SetCurrentDirectoryA(previous_.c_str());
        // Whatever the program wrote there too (announce.cfg, say).
        WIN32_FIND_DATAA found{};
        HANDLE find = FindFirstFileA((dir_ + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((dir_ + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(dir_.c_str());
        EXPECT_TRUE(ErrorsShown().empty()) << "error box: " << ErrorsShown().front();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        UniqueFile f(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(f);
        DWORD n = 0;
        WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    }

    std::string previous_, dir_;
};

// The primary monitor's rectangle, asked of the system directly.
inline RECT PrimaryMonitor() {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcMonitor;
}

}  // namespace zv::win::test
