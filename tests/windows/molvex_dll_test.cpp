// The Windows library as the system and a host see it: the entry routine's
// handle, and the version block that Explorer and hosts read. Run under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "beside_program.h"

namespace {

class ModuleEntry : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA(besideThisProgram("module_probe.dll").c_str());
        ASSERT_NE(module, nullptr) << "error " << GetLastError();
        read = reinterpret_cast<void* (*)()>(
            reinterpret_cast<void*>(GetProcAddress(module, "probeModuleHandle")));
        overwrite = reinterpret_cast<void (*)(void*)>(
            reinterpret_cast<void*>(GetProcAddress(module, "probeSetModuleHandle")));
        ASSERT_NE(read, nullptr);
        ASSERT_NE(overwrite, nullptr);
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }

    HMODULE module = nullptr;
    void* (*read)() = nullptr;
    void (*overwrite)(void*) = nullptr;
};

TEST_F(ModuleEntry, StoresTheLibrarysOwnInstanceHandleOnLoad) {
    // The library's handle, not the program's: the toolkit loads bitmaps
    // and names its window class from it.
    EXPECT_EQ(read(), static_cast<void*>(module));
    EXPECT_NE(read(), static_cast<void*>(GetModuleHandleA(nullptr)));
}

TEST_F(ModuleEntry, ThreadAttachAndDetachStoreTheHandleToo) {
    int marker = 0;
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    void* seenByThread = nullptr;

    overwrite(&marker);
    std::thread worker([&] {
        seenByThread = read();  // the attach notification ran before this
        SetEvent(started);
        WaitForSingleObject(release, INFINITE);
    });
    WaitForSingleObject(started, INFINITE);
    overwrite(&marker);
    SetEvent(release);
    worker.join();  // the detach notification has run when join returns

    EXPECT_EQ(seenByThread, static_cast<void*>(module));
    EXPECT_EQ(read(), static_cast<void*>(module));
    CloseHandle(started);
    CloseHandle(release);
}

// The version block of Molvex.dll as GetFileVersionInfo reports it.
class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        path = besideThisProgram(MOLVEX_DLL_NAME);
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << path << ": no version resource, error " << GetLastError();
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    }

    std::string text(const char* name) {
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        char* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                            &length) ||
            !value)
            return "(missing)";
        return std::string(value);
    }

    std::string path;
    std::vector<char> block;
};

// The project's version, as CMake set it once.
constexpr DWORD kVersionMS = (PROJECT_MAJOR << 16) | PROJECT_MINOR;
constexpr DWORD kVersionLS = PROJECT_PATCH << 16;

TEST_F(VersionResource, FixedVersionsAreTheProjects) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionResource, TextsNameTheProductAndVersion) {
    EXPECT_EQ(text("ProductName"), "Molvex");
    EXPECT_EQ(text("FileVersion"), PROJECT_VERSION_TEXT);
    EXPECT_EQ(text("ProductVersion"), PROJECT_VERSION_TEXT);
    EXPECT_EQ(text("OriginalFilename"), "Molvex.dll");
}

}  // namespace
