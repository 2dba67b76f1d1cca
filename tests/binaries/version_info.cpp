// Reads a module's version resource the way Windows shows it and compares it with the
// expected values: version_info DLL INTERNAL_NAME PRODUCT_NAME_SUFFIX
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool expectString(const std::vector<char>& block, const char* key, const std::string& expected, bool suffixOnly) {
    const std::string path = std::string("\\StringFileInfo\\000004B0\\") + key;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || value == nullptr) {
        std::printf("FAIL: %s missing\n", key);
        return false;
    }
    const std::string text(value);
    const bool matches = suffixOnly ? text.size() >= expected.size() &&
                                          text.compare(text.size() - expected.size(), expected.size(), expected) == 0
                                    : text == expected;
    std::printf("%s %s = \"%s\"\n", matches ? "ok:" : "FAIL:", key, text.c_str());
    return matches;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: version_info DLL INTERNAL_NAME PRODUCT_NAME_SUFFIX\n");
        return 2;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &handle);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, block.data())) {
        std::printf("FAIL: %s has no version resource\n", argv[1]);
        return 1;
    }
    bool ok = true;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        const bool versionOk = fixed->dwFileVersionMS == 0x00010002 && fixed->dwFileVersionLS == 0x00010000 &&
                               fixed->dwProductVersionMS == 0x00010002 && fixed->dwProductVersionLS == 0x00010000;
        std::printf("%s fixed version %lu.%lu.%lu.%lu\n", versionOk ? "ok:" : "FAIL:", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        ok = ok && versionOk;
    } else {
        std::printf("FAIL: no fixed file info\n");
        ok = false;
    }
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation != nullptr && length >= sizeof(Translation)) {
        const bool translationOk = translation->language == 0x0000 && translation->codePage == 0x04B0;
        std::printf("%s translation %04x %04x\n", translationOk ? "ok:" : "FAIL:", translation->language,
                    translation->codePage);
        ok = ok && translationOk;
    } else {
        std::printf("FAIL: no translation\n");
        ok = false;
    }
    ok = expectString(block, "FileDescription", "Channel Equalizer VST", false) && ok;
    ok = expectString(block, "InternalName", argv[2], false) && ok;
    ok = expectString(block, "FileVersion", "1.21", false) && ok;
    ok = expectString(block, "ProductVersion", "1.21", false) && ok;
    ok = expectString(block, "ProductName", argv[3], true) && ok;
    return ok ? 0 : 1;
}
