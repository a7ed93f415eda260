// Typed access to the workstation settings file "Settings.ini" beside the console
// program. One reading and one writing operation per key, named after the key. Nothing
// is cached: every read goes to the file, so a value changed by hand or by another
// module is seen at once. A missing file, section or key gives the key's default.
#pragma once

#include "rtl/IniFile.h"

#include <string>

class TINIConfig {
public:
    // iniFileName: the settings file; hostFolder: the console program's folder (with its
    // trailing delimiter), the base of the default folders.
    TINIConfig(std::string iniFileName, std::string hostFolder);
    const std::string& FileName() const noexcept { return ini_.FileName(); }

    // Folders. Getters create the folder (with its parents) and return the text even when
    // it could not be made. Setters trim the value, put the default folder in place of an
    // empty one, add the trailing delimiter, store it and create the folder.
    std::string GetAutoSaveFolder() const;
    void SetAutoSaveFolder(const std::string& value);
    std::string GetRepTmpltFldr() const;
    void SetRepTmpltFldr(const std::string& value);
    std::string GetRepTempFldr() const;
    void SetRepTempFldr(const std::string& value);
    std::string GetSendRepFldr() const;
    void SetSendRepFldr(const std::string& value);
    // FACT_AUTOSAVE / Path: the default of AutoSaveFolder; read only.
    std::string GetPath() const;

    // 0: the previous calendar month, 1: the current one; anything else reads as 0.
    int GetDefRepPeriod() const;
    void SetDefRepPeriod(int value);
    bool GetStoreSelect() const;
    void SetStoreSelect(bool value);
    bool GetCurrDay() const;
    void SetCurrDay(bool value);

    bool GetApply() const;
    void SetApply(bool value);
    bool GetLastPeriod() const;
    void SetLastPeriod(bool value);
    bool GetCAN() const;  // read only

    bool GetRecyClear() const;
    void SetRecyClear(bool value);
    bool GetToPack() const;
    void SetToPack(bool value);
    int GetSendErrorTimeOut() const;
    void SetSendErrorTimeOut(int value);
    int GetSendErrorCount() const;
    void SetSendErrorCount(int value);
    int GetLettersCount() const;
    void SetLettersCount(int value);
    int GetSessionInterval() const;
    void SetSessionInterval(int value);
    std::string GetSrv() const;
    void SetSrv(const std::string& value);
    std::string GetUsr() const;
    void SetUsr(const std::string& value);
    std::string GetFrom() const;
    void SetFrom(const std::string& value);
    std::string GetCopy() const;
    void SetCopy(const std::string& value);
    std::string GetSbct() const;
    void SetSbct(const std::string& value);
    // Stored between double quotes, so leading and trailing blanks survive.
    std::string GetTxt() const;
    void SetTxt(const std::string& value);
    int GetPort() const;
    void SetPort(int value);
    bool GetISPswrd() const;
    void SetISPswrd(bool value);
    bool GetMD5() const;
    void SetMD5(bool value);
    // The mail password, stored scrambled (see WrdScramble). A stored text that is not
    // in scrambled form was typed in by hand: it is taken as the password itself and
    // written back scrambled.
    std::string GetWrd();
    void SetWrd(const std::string& value);

    // 0 gives ".xls", anything else ".xlsm"; read only.
    int GetExport_Type() const;

private:
    std::string DefaultPath() const;
    std::string DefaultRepTmpltFldr() const;
    std::string DefaultRepTempFldr() const;
    std::string DefaultSendRepFldr() const;
    std::string ReadFolder(const char* section, const char* key, const std::string& def) const;
    void WriteFolder(const char* section, const char* key, const std::string& value, const std::string& def);

    mutable rtl::TIniFile ini_;
    std::string hostFolder_;
};

// The password scrambling of the Wrd key: each byte at 1-based position i becomes
// (byte + step * i) mod 256, written as two upper-case hexadecimal digits.
std::string WrdScramble(const std::string& password);
// The reverse. Only a text of even length made of hexadecimal digits is scrambled;
// IsWrdScrambled tells.
bool IsWrdScrambled(const std::string& stored);
std::string WrdUnscramble(const std::string& stored);

// The module's settings: "Settings.ini" in the host program's folder, fixed at load.
TINIConfig& INIConfig();
