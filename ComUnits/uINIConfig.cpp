#include "ComUnits/uINIConfig.h"

#include "rtl/Files.h"
#include "rtl/Strings.h"

namespace {

constexpr const char* kCom = "COM_SETTINGS";
constexpr const char* kDbg = "DBG_SETTINGS";
constexpr const char* kMail = "E-MAIL";
constexpr const char* kExport = "EXPORT_SETTINGS";
constexpr const char* kFact = "FACT_AUTOSAVE";
constexpr unsigned char kWrdStep = 0x2B;

void MakeFolder(const std::string& folder) {
    try {
        rtl::ForceDirectories(folder);
    } catch (...) {
        // The folder is wanted, not required: its users report a missing one themselves.
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string WrdScramble(const std::string& password) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(password.size() * 2);
    for (std::size_t i = 0; i < password.size(); ++i) {
        const auto b = static_cast<unsigned char>(static_cast<unsigned char>(password[i]) + kWrdStep * (i + 1));
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

bool IsWrdScrambled(const std::string& stored) {
    if (stored.size() % 2 != 0) return false;
    for (char c : stored)
        if (HexDigit(c) < 0) return false;
    return true;
}

std::string WrdUnscramble(const std::string& stored) {
    std::string out;
    out.reserve(stored.size() / 2);
    for (std::size_t i = 0; i + 1 < stored.size(); i += 2) {
        const unsigned b = static_cast<unsigned>(HexDigit(stored[i]) * 16 + HexDigit(stored[i + 1]));
        out += static_cast<char>(static_cast<unsigned char>(b - kWrdStep * (i / 2 + 1)));
    }
    return out;
}

TINIConfig::TINIConfig(std::string iniFileName, std::string hostFolder)
    : ini_(std::move(iniFileName)), hostFolder_(std::move(hostFolder)) {}

std::string TINIConfig::DefaultPath() const {
    const std::string host = hostFolder_.empty() ? std::string(".") + rtl::PathDelim : rtl::IncludeTrailingPathDelimiter(hostFolder_);
    return host + "Reports" + rtl::PathDelim;
}

std::string TINIConfig::DefaultRepTmpltFldr() const {
    return rtl::IncludeTrailingPathDelimiter(hostFolder_) + "ReportTemplates" + rtl::PathDelim;
}

std::string TINIConfig::DefaultRepTempFldr() const {
    return rtl::IncludeTrailingPathDelimiter(hostFolder_) + "ReportTemp" + rtl::PathDelim;
}

std::string TINIConfig::DefaultSendRepFldr() const {
    return rtl::IncludeTrailingPathDelimiter(rtl::GetCurrentDir()) + "Out" + rtl::PathDelim;
}

std::string TINIConfig::ReadFolder(const char* section, const char* key, const std::string& def) const {
    std::string folder = ini_.ReadString(section, key, def);
    MakeFolder(folder);
    return folder;
}

void TINIConfig::WriteFolder(const char* section, const char* key, const std::string& value, const std::string& def) {
    std::string folder = rtl::Trim(value);
    if (folder.empty()) folder = def;
    folder = rtl::IncludeTrailingPathDelimiter(folder);
    ini_.WriteString(section, key, folder);
    MakeFolder(folder);
}

std::string TINIConfig::GetPath() const {
    std::string folder = rtl::IncludeTrailingPathDelimiter(ini_.ReadString(kFact, "Path", DefaultPath()));
    MakeFolder(folder);
    return folder;
}

std::string TINIConfig::GetAutoSaveFolder() const { return ReadFolder(kCom, "AutoSaveFolder", GetPath()); }
// An empty folder has no drive root to fall back to on this platform: the default
// folder takes its place, as for the template folders.
void TINIConfig::SetAutoSaveFolder(const std::string& v) { WriteFolder(kCom, "AutoSaveFolder", v, GetPath()); }
std::string TINIConfig::GetRepTmpltFldr() const { return ReadFolder(kCom, "RepTmpltFldr", DefaultRepTmpltFldr()); }
void TINIConfig::SetRepTmpltFldr(const std::string& v) { WriteFolder(kCom, "RepTmpltFldr", v, DefaultRepTmpltFldr()); }
std::string TINIConfig::GetRepTempFldr() const { return ReadFolder(kCom, "RepTempFldr", DefaultRepTempFldr()); }
void TINIConfig::SetRepTempFldr(const std::string& v) { WriteFolder(kCom, "RepTempFldr", v, DefaultRepTempFldr()); }

std::string TINIConfig::GetSendRepFldr() const {
    std::string folder = rtl::IncludeTrailingPathDelimiter(ini_.ReadString(kMail, "SendRepFldr", DefaultSendRepFldr()));
    MakeFolder(folder);
    return folder;
}
void TINIConfig::SetSendRepFldr(const std::string& v) { WriteFolder(kMail, "SendRepFldr", v, DefaultSendRepFldr()); }

int TINIConfig::GetDefRepPeriod() const {
    const int v = ini_.ReadInteger(kCom, "DefRepPeriod", 0);
    return v == 0 || v == 1 ? v : 0;
}
void TINIConfig::SetDefRepPeriod(int v) { ini_.WriteInteger(kCom, "DefRepPeriod", v); }
bool TINIConfig::GetStoreSelect() const { return ini_.ReadBool(kCom, "StoreSelect", true); }
void TINIConfig::SetStoreSelect(bool v) { ini_.WriteBool(kCom, "StoreSelect", v); }
bool TINIConfig::GetCurrDay() const { return ini_.ReadBool(kCom, "CurrDay", false); }
void TINIConfig::SetCurrDay(bool v) { ini_.WriteBool(kCom, "CurrDay", v); }

bool TINIConfig::GetApply() const { return ini_.ReadBool(kDbg, "Apply", false); }
void TINIConfig::SetApply(bool v) { ini_.WriteBool(kDbg, "Apply", v); }
bool TINIConfig::GetLastPeriod() const { return ini_.ReadBool(kDbg, "LastPeriod", false); }
void TINIConfig::SetLastPeriod(bool v) { ini_.WriteBool(kDbg, "LastPeriod", v); }
bool TINIConfig::GetCAN() const { return ini_.ReadBool(kDbg, "CAN", false); }

bool TINIConfig::GetRecyClear() const { return ini_.ReadBool(kMail, "RecyClear", true); }
void TINIConfig::SetRecyClear(bool v) { ini_.WriteBool(kMail, "RecyClear", v); }
bool TINIConfig::GetToPack() const { return ini_.ReadBool(kMail, "ToPack", true); }
void TINIConfig::SetToPack(bool v) { ini_.WriteBool(kMail, "ToPack", v); }
int TINIConfig::GetSendErrorTimeOut() const { return ini_.ReadInteger(kMail, "SendErrorTimeOut", 30); }
void TINIConfig::SetSendErrorTimeOut(int v) { ini_.WriteInteger(kMail, "SendErrorTimeOut", v); }
int TINIConfig::GetSendErrorCount() const { return ini_.ReadInteger(kMail, "SendErrorCount", 3); }
void TINIConfig::SetSendErrorCount(int v) { ini_.WriteInteger(kMail, "SendErrorCount", v); }
int TINIConfig::GetLettersCount() const { return ini_.ReadInteger(kMail, "LettersCount", 1); }
void TINIConfig::SetLettersCount(int v) { ini_.WriteInteger(kMail, "LettersCount", v); }
int TINIConfig::GetSessionInterval() const { return ini_.ReadInteger(kMail, "SessionInterval", 0); }
void TINIConfig::SetSessionInterval(int v) { ini_.WriteInteger(kMail, "SessionInterval", v); }
std::string TINIConfig::GetSrv() const { return ini_.ReadString(kMail, "Srv", ""); }
void TINIConfig::SetSrv(const std::string& v) { ini_.WriteString(kMail, "Srv", v); }
std::string TINIConfig::GetUsr() const { return ini_.ReadString(kMail, "Usr", ""); }
void TINIConfig::SetUsr(const std::string& v) { ini_.WriteString(kMail, "Usr", v); }
std::string TINIConfig::GetFrom() const { return ini_.ReadString(kMail, "From", ""); }
void TINIConfig::SetFrom(const std::string& v) { ini_.WriteString(kMail, "From", v); }
std::string TINIConfig::GetCopy() const { return ini_.ReadString(kMail, "Copy", ""); }
void TINIConfig::SetCopy(const std::string& v) { ini_.WriteString(kMail, "Copy", v); }
std::string TINIConfig::GetSbct() const { return ini_.ReadString(kMail, "Sbct", ""); }
void TINIConfig::SetSbct(const std::string& v) { ini_.WriteString(kMail, "Sbct", v); }
std::string TINIConfig::GetTxt() const { return ini_.ReadString(kMail, "Txt", ""); }
void TINIConfig::SetTxt(const std::string& v) { ini_.WriteString(kMail, "Txt", "\"" + v + "\""); }
int TINIConfig::GetPort() const { return ini_.ReadInteger(kMail, "Port", 0); }
void TINIConfig::SetPort(int v) { ini_.WriteInteger(kMail, "Port", v); }
bool TINIConfig::GetISPswrd() const { return ini_.ReadBool(kMail, "ISPswrd", false); }
void TINIConfig::SetISPswrd(bool v) { ini_.WriteBool(kMail, "ISPswrd", v); }
bool TINIConfig::GetMD5() const { return ini_.ReadBool(kMail, "MD5", false); }
void TINIConfig::SetMD5(bool v) { ini_.WriteBool(kMail, "MD5", v); }

std::string TINIConfig::GetWrd() {
    const std::string stored = ini_.ReadString(kMail, "Wrd", "");
    if (stored.empty()) return {};
    if (IsWrdScrambled(stored)) return WrdUnscramble(stored);
    // Typed into the file by hand: that text is the password. Store it scrambled so the
    // file no longer shows it, and give it back unchanged.
    try {
        ini_.WriteString(kMail, "Wrd", WrdScramble(stored));
    } catch (...) {
        // A read-only settings file still yields the password.
    }
    return stored;
}

void TINIConfig::SetWrd(const std::string& v) { ini_.WriteString(kMail, "Wrd", WrdScramble(v)); }

int TINIConfig::GetExport_Type() const { return ini_.ReadInteger(kExport, "Export_Type", 0); }

TINIConfig& INIConfig() {
    static TINIConfig config(rtl::HostExeFolder() + "Settings.ini", rtl::HostExeFolder());
    return config;
}

namespace {
// The path is fixed when the module loads, as the settings' owner expects.
[[maybe_unused]] const bool kFixedAtLoad = (INIConfig(), true);
}  // namespace
