// The settings file through TINIConfig on a file of a temporary folder.
#include "ComUnits/uINIConfig.h"

#include "TempFolder.h"

#include "rtl/IniFile.h"
#include "rtl/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class INIConfig : public ::testing::Test {
protected:
    TTempFolder tmp;
    const std::string iniPath = tmp / "Settings.ini";
    const std::string host = tmp / "host/";
    TINIConfig cfg{iniPath, host};

    std::string Stored(const char* section, const char* key) const {
        return rtl::TIniFile(iniPath).ReadString(section, key, "<absent>");
    }
    bool FileHasLine(const std::string& line) const {
        return ("\n" + ReadFile(iniPath)).find("\n" + line + "\n") != std::string::npos;
    }
};

struct BoolKey {
    const char* section;
    const char* key;
    bool def;
    bool (TINIConfig::*get)() const;
    void (TINIConfig::*set)(bool);
};

struct IntKey {
    const char* section;
    const char* key;
    int def;
    int (TINIConfig::*get)() const;
    void (TINIConfig::*set)(int);
};

struct TextKey {
    const char* section;
    const char* key;
    std::string (TINIConfig::*get)() const;
    void (TINIConfig::*set)(const std::string&);
};

const BoolKey kBoolKeys[] = {
    {"COM_SETTINGS", "StoreSelect", true, &TINIConfig::GetStoreSelect, &TINIConfig::SetStoreSelect},
    {"COM_SETTINGS", "CurrDay", false, &TINIConfig::GetCurrDay, &TINIConfig::SetCurrDay},
    {"DBG_SETTINGS", "Apply", false, &TINIConfig::GetApply, &TINIConfig::SetApply},
    {"DBG_SETTINGS", "LastPeriod", false, &TINIConfig::GetLastPeriod, &TINIConfig::SetLastPeriod},
    {"E-MAIL", "RecyClear", true, &TINIConfig::GetRecyClear, &TINIConfig::SetRecyClear},
    {"E-MAIL", "ToPack", true, &TINIConfig::GetToPack, &TINIConfig::SetToPack},
    {"E-MAIL", "ISPswrd", false, &TINIConfig::GetISPswrd, &TINIConfig::SetISPswrd},
    {"E-MAIL", "MD5", false, &TINIConfig::GetMD5, &TINIConfig::SetMD5},
};

const IntKey kIntKeys[] = {
    {"COM_SETTINGS", "DefRepPeriod", 0, &TINIConfig::GetDefRepPeriod, &TINIConfig::SetDefRepPeriod},
    {"E-MAIL", "SendErrorTimeOut", 30, &TINIConfig::GetSendErrorTimeOut, &TINIConfig::SetSendErrorTimeOut},
    {"E-MAIL", "SendErrorCount", 3, &TINIConfig::GetSendErrorCount, &TINIConfig::SetSendErrorCount},
    {"E-MAIL", "LettersCount", 1, &TINIConfig::GetLettersCount, &TINIConfig::SetLettersCount},
    {"E-MAIL", "SessionInterval", 0, &TINIConfig::GetSessionInterval, &TINIConfig::SetSessionInterval},
    {"E-MAIL", "Port", 0, &TINIConfig::GetPort, &TINIConfig::SetPort},
};

const TextKey kTextKeys[] = {
    {"E-MAIL", "Srv", &TINIConfig::GetSrv, &TINIConfig::SetSrv},
    {"E-MAIL", "Usr", &TINIConfig::GetUsr, &TINIConfig::SetUsr},
    {"E-MAIL", "From", &TINIConfig::GetFrom, &TINIConfig::SetFrom},
    {"E-MAIL", "Copy", &TINIConfig::GetCopy, &TINIConfig::SetCopy},
    {"E-MAIL", "Sbct", &TINIConfig::GetSbct, &TINIConfig::SetSbct},
};

TEST_F(INIConfig, EveryKeyHasItsDefaultWithoutAFile) {
    for (const auto& k : kBoolKeys) EXPECT_EQ((cfg.*k.get)(), k.def) << k.key;
    for (const auto& k : kIntKeys) EXPECT_EQ((cfg.*k.get)(), k.def) << k.key;
    for (const auto& k : kTextKeys) EXPECT_EQ((cfg.*k.get)(), "") << k.key;
    EXPECT_FALSE(cfg.GetCAN());
    EXPECT_EQ(cfg.GetTxt(), "");
    EXPECT_EQ(cfg.GetWrd(), "");
    EXPECT_EQ(cfg.GetExport_Type(), 0);
    EXPECT_FALSE(std::filesystem::exists(iniPath)) << "reading never creates the file";
}

TEST_F(INIConfig, EveryKeyIsWrittenToItsSectionAndReadBack) {
    for (const auto& k : kBoolKeys) {
        (cfg.*k.set)(!k.def);
        EXPECT_EQ(Stored(k.section, k.key), k.def ? "0" : "1") << k.key << ": booleans are stored as 1 and 0";
        EXPECT_EQ((cfg.*k.get)(), !k.def) << k.key;
    }
    for (const auto& k : kIntKeys) {
        (cfg.*k.set)(1);
        EXPECT_EQ(Stored(k.section, k.key), "1") << k.key;
        EXPECT_EQ((cfg.*k.get)(), 1) << k.key;
    }
    for (const auto& k : kTextKeys) {
        (cfg.*k.set)(std::string("value of ") + k.key);
        EXPECT_EQ(Stored(k.section, k.key), std::string("value of ") + k.key);
        EXPECT_EQ((cfg.*k.get)(), std::string("value of ") + k.key);
    }
    EXPECT_TRUE(FileHasLine("StoreSelect=0"));
    EXPECT_TRUE(FileHasLine("CurrDay=1"));
    EXPECT_TRUE(FileHasLine("Srv=value of Srv"));
}

TEST_F(INIConfig, BooleansAndNumbersAreReadByThePlatformsRules) {
    WriteFile(iniPath,
              "[COM_SETTINGS]\nStoreSelect=0\nCurrDay=7\n[DBG_SETTINGS]\nCAN=1\nApply=yes\n"
              "[E-MAIL]\nPort=$1BB\nLettersCount=many\n[EXPORT_SETTINGS]\nExport_Type=1\n");
    EXPECT_FALSE(cfg.GetStoreSelect());
    EXPECT_TRUE(cfg.GetCurrDay()) << "any number but 0 is true";
    EXPECT_TRUE(cfg.GetCAN());
    EXPECT_FALSE(cfg.GetApply()) << "not a number: the default";
    EXPECT_EQ(cfg.GetPort(), 443);
    EXPECT_EQ(cfg.GetLettersCount(), 1);
    EXPECT_EQ(cfg.GetExport_Type(), 1);
}

TEST_F(INIConfig, DefRepPeriodOtherThanZeroOrOneReadsZero) {
    const std::pair<const char*, int> cases[] = {{"0", 0}, {"1", 1}, {"2", 0}, {"-1", 0}, {"x", 0}};
    for (const auto& [stored, expected] : cases) {
        WriteFile(iniPath, std::string("[COM_SETTINGS]\nDefRepPeriod=") + stored + "\n");
        EXPECT_EQ(cfg.GetDefRepPeriod(), expected) << stored;
    }
    cfg.SetDefRepPeriod(5);
    EXPECT_EQ(Stored("COM_SETTINGS", "DefRepPeriod"), "5");
    EXPECT_EQ(cfg.GetDefRepPeriod(), 0);
}

TEST_F(INIConfig, FolderGettersCreateTheirDefaultFolders) {
    TCurrentDirScope cwd(tmp.Path());
    EXPECT_EQ(cfg.GetRepTmpltFldr(), host + "ReportTemplates/");
    EXPECT_EQ(cfg.GetRepTempFldr(), host + "ReportTemp/");
    EXPECT_EQ(cfg.GetPath(), host + "Reports/");
    EXPECT_EQ(cfg.GetAutoSaveFolder(), host + "Reports/");
    const std::string out = std::filesystem::current_path().string() + "/Out/";
    EXPECT_EQ(cfg.GetSendRepFldr(), out);
    for (const char* folder : {"ReportTemplates", "ReportTemp", "Reports"}) EXPECT_TRUE(IsDir(host + folder)) << folder;
    EXPECT_TRUE(IsDir(out));
    EXPECT_FALSE(std::filesystem::exists(iniPath)) << "defaults are not written";

    // Without a host folder the reports go below the current folder.
    TINIConfig noHost(iniPath, "");
    EXPECT_EQ(noHost.GetPath(), "./Reports/");
    EXPECT_TRUE(IsDir(tmp / "Reports"));
}

TEST_F(INIConfig, StoredFoldersAreCreatedAndOnlyPathAndSendRepFldrGetADelimiter) {
    WriteFile(iniPath, "[FACT_AUTOSAVE]\nPath=" + tmp.Path() + "fact\n[COM_SETTINGS]\nRepTempFldr=" + tmp.Path() +
                           "a/b/temp\n[E-MAIL]\nSendRepFldr=" + tmp.Path() + "send\n");
    EXPECT_EQ(cfg.GetPath(), tmp / "fact/");
    EXPECT_EQ(cfg.GetAutoSaveFolder(), tmp / "fact/") << "AutoSaveFolder defaults to FACT_AUTOSAVE/Path";
    EXPECT_EQ(cfg.GetRepTempFldr(), tmp / "a/b/temp") << "returned as it stands";
    EXPECT_EQ(cfg.GetSendRepFldr(), tmp / "send/");
    for (const char* folder : {"fact", "a/b/temp", "send"}) EXPECT_TRUE(IsDir(tmp / folder)) << folder;

    // A folder that cannot be made is still returned.
    WriteFile(tmp / "file", "x");
    WriteFile(iniPath, "[COM_SETTINGS]\nRepTmpltFldr=" + tmp.Path() + "file/sub/\n");
    EXPECT_EQ(cfg.GetRepTmpltFldr(), tmp / "file/sub/");
}

TEST_F(INIConfig, FolderSettersTrimAddTheDelimiterAndReplaceAnEmptyValue) {
    TCurrentDirScope cwd(tmp.Path());
    const std::string out = std::filesystem::current_path().string() + "/Out/";
    struct Folder {
        const char* section;
        const char* key;
        std::string (TINIConfig::*get)() const;
        void (TINIConfig::*set)(const std::string&);
        std::string def;
    };
    const Folder folders[] = {
        {"COM_SETTINGS", "AutoSaveFolder", &TINIConfig::GetAutoSaveFolder, &TINIConfig::SetAutoSaveFolder, host + "Reports/"},
        {"COM_SETTINGS", "RepTmpltFldr", &TINIConfig::GetRepTmpltFldr, &TINIConfig::SetRepTmpltFldr, host + "ReportTemplates/"},
        {"COM_SETTINGS", "RepTempFldr", &TINIConfig::GetRepTempFldr, &TINIConfig::SetRepTempFldr, host + "ReportTemp/"},
        {"E-MAIL", "SendRepFldr", &TINIConfig::GetSendRepFldr, &TINIConfig::SetSendRepFldr, out},
    };
    for (const auto& f : folders) {
        SCOPED_TRACE(f.key);
        const std::string folder = tmp / (std::string("set/") + f.key);
        (cfg.*f.set)("  " + folder + " \t");
        EXPECT_EQ(Stored(f.section, f.key), folder + "/");
        EXPECT_TRUE(IsDir(folder));
        EXPECT_EQ((cfg.*f.get)(), folder + "/");

        (cfg.*f.set)(folder + "/");
        EXPECT_EQ(Stored(f.section, f.key), folder + "/") << "no second delimiter";

        (cfg.*f.set)("   ");
        EXPECT_EQ(Stored(f.section, f.key), f.def);
        EXPECT_TRUE(IsDir(f.def));
        EXPECT_EQ((cfg.*f.get)(), f.def);
    }
}

TEST_F(INIConfig, TxtIsStoredBetweenQuotesAndReadWithoutThem) {
    cfg.SetTxt("  Отчёт во вложении; см. \"итоги\"  ");
    EXPECT_TRUE(FileHasLine("Txt=\"  Отчёт во вложении; см. \"итоги\"  \"")) << ReadFile(iniPath);
    EXPECT_EQ(cfg.GetTxt(), "  Отчёт во вложении; см. \"итоги\"  ");
    cfg.SetTxt("");
    EXPECT_TRUE(FileHasLine("Txt=\"\""));
    EXPECT_EQ(cfg.GetTxt(), "");
}

TEST_F(INIConfig, ValuesChangedByHandAreSeenAtTheNextRead) {
    cfg.SetPort(25);
    cfg.SetSrv("smtp.one");
    EXPECT_EQ(cfg.GetPort(), 25);
    WriteFile(iniPath, "; edited by hand\r\n[e-mail]\r\nthis line is garbled\r\n=no key\r\n  port = 587 \r\nSrv=smtp.two\r\n");
    EXPECT_EQ(cfg.GetPort(), 587);
    EXPECT_EQ(cfg.GetSrv(), "smtp.two");
    cfg.SetUsr("operator");
    EXPECT_EQ(cfg.GetUsr(), "operator");
    EXPECT_EQ(cfg.GetPort(), 587) << "a write keeps the hand-made lines";
}

TEST_F(INIConfig, WrdIsStoredScrambled) {
    const std::string passwords[] = {"pass word", "a", "пароль€", std::string(300, 'z')};
    for (const std::string& password : passwords) {
        cfg.SetWrd(password);
        const std::string stored = Stored("E-MAIL", "Wrd");
        EXPECT_EQ(stored.size(), 2 * password.size());
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos) << stored;
        EXPECT_EQ(stored, WrdScramble(password));
        EXPECT_EQ(cfg.GetWrd(), password);
    }
    cfg.SetWrd("");
    EXPECT_EQ(Stored("E-MAIL", "Wrd"), "");
    EXPECT_EQ(cfg.GetWrd(), "");
}

TEST(WrdScramble, IsAPositionDependentShiftWrittenAsHex) {
    // (code + step * i) mod 256 for the 1-based position i, whatever the step is.
    const std::string s = WrdScramble("aaa\xFF");
    ASSERT_EQ(s.size(), 8u);
    const auto byte = [&](int i) { return std::stoi(s.substr(2 * i, 2), nullptr, 16); };
    const int step = (byte(0) - 'a' + 256) % 256;
    EXPECT_NE(step, 0);
    EXPECT_EQ(byte(1), ('a' + 2 * step) % 256);
    EXPECT_EQ(byte(2), ('a' + 3 * step) % 256);
    EXPECT_EQ(byte(3), (0xFF + 4 * step) % 256);
    EXPECT_EQ(WrdUnscramble(s), "aaa\xFF");

    const std::pair<const char*, bool> checks[] = {
        {"", true}, {"0A", true}, {"0a", true}, {"ABC", false}, {"0G", false}, {"secret", false}, {"12 4", false},
    };
    for (const auto& [text, scrambled] : checks) EXPECT_EQ(IsWrdScrambled(text), scrambled) << text;
}

TEST_F(INIConfig, AHandTypedWrdIsTheWordItselfAndIsScrambledInTheFile) {
    WriteFile(iniPath, "[E-MAIL]\nWrd=secret\n");
    EXPECT_EQ(cfg.GetWrd(), "secret");
    EXPECT_EQ(Stored("E-MAIL", "Wrd"), WrdScramble("secret"));
    EXPECT_EQ(cfg.GetWrd(), "secret");

    // Lower-case hexadecimal counts as scrambled, as the check upper-cases it.
    WriteFile(iniPath, "[E-MAIL]\nWrd=" + rtl::LowerCase(WrdScramble("Pw1")) + "\n");
    EXPECT_EQ(cfg.GetWrd(), "Pw1");
}

TEST(INIConfigModule, IsTheSettingsFileBesideTheProgram) {
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(::INIConfig().FileName(), (exe.parent_path() / "Settings.ini").string());
}

}  // namespace
