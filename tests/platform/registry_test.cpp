#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "platform/registry/registry.h"
#include "platform/registry/text_format.h"
#include "temp_dir.h"

namespace reg = platform::registry;
using testing_fs::ReadAll;
using testing_fs::RegistryFile;
using testing_fs::WriteAll;

TEST(RegistryStore, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    reg::Store s;
    reg::Key* k = s.Create("HKEY_CLASSES_ROOT\\CLSID\\{ABC}\\InprocServer32");
    ASSERT_TRUE(k);
    k->Set("ThreadingModel", reg::Value{std::string("Apartment")});
    EXPECT_EQ(s.Open("hkey_classes_root\\clsid\\{abc}\\INPROCSERVER32"), k);
    EXPECT_EQ(s.Create("HKEY_CLASSES_ROOT\\clsid"), s.Open("HKEY_CLASSES_ROOT\\CLSID"));
    ASSERT_TRUE(k->Find("threadingmodel"));
    EXPECT_EQ(*k->Find("THREADINGMODEL")->String(), "Apartment");
    auto children = s.Open("HKEY_CLASSES_ROOT")->Children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0].first, "CLSID");
}

TEST(RegistryStore, InvalidPathsFindAndCreateNothing) {
    reg::Store s;
    for (const char* bad : {"\\a", "a\\", "a\\\\b", "a\nb"}) {
        EXPECT_EQ(s.Create(bad), nullptr) << bad;
        EXPECT_EQ(s.Open(bad), nullptr) << bad;
    }
    EXPECT_TRUE(s.Root().Empty());
}

TEST(RegistryStore, NamesThatCouldNotBeReadBackAreRefused) {
    reg::Store s;
    reg::Key& k = s.Root().CreateChild("K");
    EXPECT_THROW(k.CreateChild(""), std::invalid_argument);
    EXPECT_THROW(k.CreateChild("a\\b"), std::invalid_argument);
    EXPECT_THROW(k.Set("tab\tname", reg::Value{std::uint32_t{1}}), std::invalid_argument);
    reg::Store back;
    EXPECT_TRUE(reg::Parse(reg::Serialize(s), back).ok);
}

TEST(RegistryStore, DeleteTreeRemovesTheKeyAndEverythingBelow) {
    reg::Store s;
    s.Create("A\\B\\C")->Set("", reg::Value{std::uint32_t{1}});
    s.Create("A\\D");
    EXPECT_TRUE(s.DeleteTree("a\\b"));
    EXPECT_EQ(s.Open("A\\B\\C"), nullptr);
    EXPECT_NE(s.Open("A\\D"), nullptr);
    EXPECT_FALSE(s.DeleteTree("A\\B"));
    EXPECT_FALSE(s.DeleteTree(""));
}

TEST(RegistryFormat, RoundTripsAwkwardNamesAndValues) {
    reg::Store s;
    reg::Key* k = s.Create("HKEY_CLASSES_ROOT\\Quoted \"name\" ]\\\xE6\x97\xA5\xE6\x9C\xAC");
    k->Set("", reg::Value{std::string("line1\nline2\t\"q\" back\\slash \x01 end")});
    k->Set("Count", reg::Value{std::uint32_t{4294967295u}});
    k->Set("empty", reg::Value{std::string()});
    s.Create("HKEY_CLASSES_ROOT\\EmptyKey");

    std::string text = reg::Serialize(s);
    reg::Store back;
    reg::ParseResult r = reg::Parse(text, back);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(reg::Serialize(back), text);
    const reg::Key* kb = back.Open("HKEY_CLASSES_ROOT\\Quoted \"name\" ]\\\xE6\x97\xA5\xE6\x9C\xAC");
    ASSERT_TRUE(kb);
    EXPECT_EQ(*kb->Find("")->String(), "line1\nline2\t\"q\" back\\slash \x01 end");
    EXPECT_EQ(*kb->Find("count")->Dword(), 4294967295u);
    EXPECT_NE(back.Open("HKEY_CLASSES_ROOT\\EmptyKey"), nullptr);
    // One line per key or value: a newline inside a value is escaped.
    EXPECT_EQ(text.find("line1\nline2"), std::string::npos);
}

TEST(RegistryFormat, DamageIsReportedWithItsLineAndNothingIsHalfApplied) {
    const std::string good = std::string(reg::kFileHeader) + "\nkey \"A\"\nvalue \"v\" dword 5\nend\n";
    reg::Store s;
    ASSERT_TRUE(reg::Parse(good, s).ok);
    struct Case {
        std::string text;
        std::string expect;
    };
    const Case cases[] = {
        {"", "empty"},
        {"garbage\n", "line 1"},
        {std::string(reg::kFileHeader) + "\nkey \"A\"\nvalue \"v\" dword 5\n", "truncated"},
        {good.substr(0, good.size() - 3), "truncated"},
        {std::string(reg::kFileHeader) + "\nvalue \"v\" dword 5\nend\n", "line 2: value before any key"},
        {std::string(reg::kFileHeader) + "\nkey \"A\nend\n", "line 2: unterminated"},
        {std::string(reg::kFileHeader) + "\nkey \"A\"\nvalue \"v\" dword 99999999999\nend\n", "line 3: bad dword"},
        {std::string(reg::kFileHeader) + "\nkey \"A\"\nvalue \"v\" qword 1\nend\n", "line 3: unknown value type"},
        {std::string(reg::kFileHeader) + "\nkey \"A\\\\B\"\nend\n", "line 2: invalid key name"},
        {std::string(reg::kFileHeader) + "\nkey \"A\" \"\\q\"\nend\n", "line 2: unknown escape"},
        {std::string(reg::kFileHeader) + "\nkey \"A\"\nend\nkey \"B\"\n", "line 4: text after the end"},
        {std::string(reg::kFileHeader) + "\nkey\nend\n", "line 2: key line without a name"},
        {std::string(reg::kFileHeader) + "\nkey \"A\" \"x\\x4\"\nend\n", "bad \\x escape"},
    };
    for (const Case& c : cases) {
        reg::Store damaged;
        damaged.Create("Left\\Over");
        reg::ParseResult r = reg::Parse(c.text, damaged);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_NE(r.error.find(c.expect), std::string::npos) << r.error;
        EXPECT_TRUE(damaged.Root().Empty()) << c.text;
    }
}

TEST(RegistryFormat, EveryTruncationOfAValidFileIsDetected) {
    reg::Store s;
    s.Create("HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32")->Set("", reg::Value{std::string("/lib/x.so")});
    s.Create("HKEY_CLASSES_ROOT\\P")->Set("n", reg::Value{std::uint32_t{12}});
    const std::string text = reg::Serialize(s);
    for (std::size_t n = 0; n < text.size(); ++n) {
        reg::Store cut;
        EXPECT_FALSE(reg::Parse(text.substr(0, n), cut).ok) << n;
        EXPECT_TRUE(cut.Root().Empty());
    }
}

TEST(RegistryFile, PathComesFromTheEnvironment) {
    RegistryFile file;
    EXPECT_EQ(reg::RegistryPath(), file.file());
    unsetenv("QUENBY_REGISTRY");
    std::string oldXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(reg::RegistryPath(), std::filesystem::path("/x/config/quenby/registry.txt"));
    if (oldXdg.empty()) unsetenv("XDG_CONFIG_HOME");
    else setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
    setenv("QUENBY_REGISTRY", file.file().c_str(), 1);
}

TEST(RegistryFile, ValuesSurviveThroughTheFile) {
    RegistryFile file;
    using reg::HKEY;
    EXPECT_EQ(reg::OpenKey(HKEY::ClassesRoot, "CLSID").code, reg::ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(reg::SetString(HKEY::ClassesRoot, "CLSID\\{A}\\InprocServer32", "", "/tmp/a.so").ok());
    ASSERT_TRUE(reg::SetString(HKEY::ClassesRoot, "CLSID\\{A}\\InprocServer32", "ThreadingModel", "Apartment").ok());
    ASSERT_TRUE(reg::SetDword(HKEY::ClassesRoot, "CLSID\\{A}\\MiscStatus\\1", "", 131473).ok());
    ASSERT_TRUE(reg::CreateKey(HKEY::CurrentUser, "Software\\Quenby").ok());
    EXPECT_TRUE(std::filesystem::exists(file.file()));

    std::string path;
    ASSERT_TRUE(reg::QueryString(HKEY::ClassesRoot, "clsid\\{a}\\inprocserver32", "", &path).ok());
    EXPECT_EQ(path, "/tmp/a.so");
    reg::DWORD misc = 0;
    ASSERT_TRUE(reg::QueryDword(HKEY::ClassesRoot, "CLSID\\{A}\\MiscStatus\\1", "", &misc).ok());
    EXPECT_EQ(misc, 131473u);
    EXPECT_EQ(reg::QueryDword(HKEY::ClassesRoot, "CLSID\\{A}\\InprocServer32", "", &misc).code,
              reg::ERROR_UNSUPPORTED_TYPE);
    EXPECT_EQ(reg::QueryString(HKEY::ClassesRoot, "CLSID\\{A}", "Nothing", &path).code, reg::ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg::OpenKey(HKEY::CurrentUser, "SOFTWARE\\quenby").ok());
    EXPECT_EQ(reg::OpenKey(HKEY::ClassesRoot, "Software").code, reg::ERROR_FILE_NOT_FOUND);  // other hive

    std::vector<std::string> names;
    ASSERT_TRUE(reg::EnumKeys(HKEY::ClassesRoot, "CLSID\\{A}", &names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"InprocServer32", "MiscStatus"}));

    ASSERT_TRUE(reg::DeleteValue(HKEY::ClassesRoot, "CLSID\\{A}\\InprocServer32", "threadingmodel").ok());
    EXPECT_EQ(reg::DeleteValue(HKEY::ClassesRoot, "CLSID\\{A}\\InprocServer32", "ThreadingModel").code,
              reg::ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(reg::DeleteTree(HKEY::ClassesRoot, "CLSID\\{A}").ok());
    EXPECT_EQ(reg::OpenKey(HKEY::ClassesRoot, "CLSID\\{A}").code, reg::ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg::OpenKey(HKEY::ClassesRoot, "CLSID").ok());
    EXPECT_EQ(reg::DeleteTree(HKEY::ClassesRoot, "CLSID\\{A}").code, reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg::SetString(HKEY::ClassesRoot, "bad\\\\path", "", "x").code, reg::ERROR_INVALID_PARAMETER);
}

TEST(RegistryFile, ADamagedFileReadsAsEmptyAndIsNotOverwritten) {
    RegistryFile file;
    const std::string damaged = std::string(reg::kFileHeader) + "\nkey \"HKEY_CLASSES_ROOT\" \"A\"\nvalue \"\" sz \"x\"\n";
    WriteAll(file.file(), damaged);

    reg::Loaded loaded = reg::LoadStore(file.file());
    EXPECT_EQ(loaded.status.code, reg::ERROR_BADDB);
    EXPECT_NE(loaded.status.message.find("truncated"), std::string::npos) << loaded.status.message;
    EXPECT_TRUE(loaded.store.Root().Empty());

    std::string value;
    reg::Status st = reg::QueryString(reg::HKEY::ClassesRoot, "A", "", &value);
    EXPECT_EQ(st.code, reg::ERROR_BADDB);
    st = reg::SetString(reg::HKEY::ClassesRoot, "B", "", "y");
    EXPECT_EQ(st.code, reg::ERROR_BADDB);
    EXPECT_EQ(ReadAll(file.file()), damaged);
}

TEST(RegistryFile, BinaryGarbageIsADamagedFileNotACrash) {
    RegistryFile file;
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteAll(file.file(), junk);
    EXPECT_EQ(reg::LoadStore(file.file()).status.code, reg::ERROR_BADDB);
    WriteAll(file.file(), std::string(reg::kFileHeader) + "\n" + junk + "\nend\n");
    EXPECT_EQ(reg::LoadStore(file.file()).status.code, reg::ERROR_BADDB);
}

TEST(RegistryFile, AFailedWriteLeavesThePreviousFileWhole) {
    RegistryFile file;
    ASSERT_TRUE(reg::SetString(reg::HKEY::ClassesRoot, "Kept", "", "before").ok());
    const std::string before = ReadAll(file.file());
    // The file beside, which the write goes to first, cannot be created.
    std::filesystem::path beside = file.file();
    beside += ".new";
    std::filesystem::create_directory(beside);

    reg::Status st = reg::SetString(reg::HKEY::ClassesRoot, "Kept", "", "after");
    EXPECT_EQ(st.code, reg::ERROR_CANTWRITE);
    EXPECT_NE(st.message.find(".new"), std::string::npos) << st.message;
    EXPECT_EQ(ReadAll(file.file()), before);
    std::string value;
    ASSERT_TRUE(reg::QueryString(reg::HKEY::ClassesRoot, "Kept", "", &value).ok());
    EXPECT_EQ(value, "before");

    std::filesystem::remove(beside);
    ASSERT_TRUE(reg::SetString(reg::HKEY::ClassesRoot, "Kept", "", "after").ok());
    EXPECT_FALSE(std::filesystem::exists(beside));
}

TEST(RegistryFile, AChangeThatThrowsWritesNothing) {
    RegistryFile file;
    ASSERT_TRUE(reg::SetString(reg::HKEY::ClassesRoot, "Kept", "", "before").ok());
    const std::string before = ReadAll(file.file());
    reg::Status st = reg::Update(
        [](reg::Store& s) {
            s.Create("HKEY_CLASSES_ROOT\\Half");
            throw std::runtime_error("stopped half way");
        },
        file.file());
    EXPECT_FALSE(st.ok());
    EXPECT_EQ(st.message, "stopped half way");
    EXPECT_EQ(ReadAll(file.file()), before);
}

TEST(RegistryFile, TheFolderIsCreatedOnFirstWrite) {
    testing_fs::TempDir dir;
    std::filesystem::path deep = dir.path() / "a" / "b" / "registry.txt";
    reg::Store s;
    s.Create("K");
    ASSERT_TRUE(reg::SaveStore(s, deep).ok());
    EXPECT_NE(reg::LoadStore(deep).store.Open("k"), nullptr);
}

TEST(RegistryFile, ConcurrentWritersLoseNoUpdate) {
    RegistryFile file;
    auto writer = [](char name) {
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(reg::SetDword(reg::HKEY::CurrentUser, std::string("W\\") + name, std::to_string(i), i).ok());
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join();
    b.join();
    for (char name : {'a', 'b'})
        for (int i = 0; i < 20; ++i) {
            reg::DWORD v = 99;
            EXPECT_TRUE(reg::QueryDword(reg::HKEY::CurrentUser, std::string("W\\") + name, std::to_string(i), &v).ok())
                << name << i;
            EXPECT_EQ(v, static_cast<reg::DWORD>(i));
        }
}

TEST(RegistryFormat, RandomDamageNeverCrashesAndNeverHalfApplies) {
    reg::Store s;
    s.Create("HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32")->Set("", reg::Value{std::string("/lib/x \"y\".so")});
    s.Create("HKEY_CLASSES_ROOT\\CLSID\\{X}")->Set("n", reg::Value{std::uint32_t{12}});
    const std::string text = reg::Serialize(s);
    std::mt19937 rng(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = text;
        int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            std::size_t at = rng() % damaged.size();
            switch (rng() % 3) {
                case 0: damaged[at] = static_cast<char>(rng() % 256); break;
                case 1: damaged.erase(at, 1 + rng() % 8); break;
                default: damaged.insert(at, 1, "\"\\\n x"[rng() % 5]);
            }
            if (damaged.empty()) damaged = "x";
        }
        reg::Store out;
        reg::ParseResult r = reg::Parse(damaged, out);
        if (r.ok) EXPECT_EQ(reg::Serialize(out).substr(0, reg::kFileHeader.size()), reg::kFileHeader);
        else EXPECT_TRUE(out.Root().Empty());
    }
}
