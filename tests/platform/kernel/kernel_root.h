// Fixture of the kernel tests: a fresh host folder behind "C:\" for each test, the current
// directory at the root, and small helpers to make and read files through the Win32 calls.
#pragma once

#include <drvtest/kernel.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

class KernelRoot : public ::testing::Test {
protected:
    void SetUp() override {
        auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::path(DRVOPUI_TEST_OUTPUT_DIR) / "roots" / (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        drvtest::SetRootFolder(root_.string());
        drvtest::SetCodePage(1252);
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    }
    void TearDown() override { drvtest::SetCodePage(1252); }

    // Writes a host file under the root, bypassing the kernel, with the case as given.
    void WriteHost(const std::string& relative, const std::string& contents) {
        auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }
    std::string ReadAll(const char* name) {
        HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<missing>";
        std::string out(GetFileSize(h, nullptr), '\0');
        DWORD got = 0;
        ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
        CloseHandle(h);
        return out.substr(0, got);
    }
    bool WriteAll(const char* name, const std::string& contents) {
        HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        BOOL ok = WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &put, nullptr);
        CloseHandle(h);
        return ok && put == contents.size();
    }

    std::filesystem::path root_;
};
