// The link to the optional debug library "DBG.dll". It is loaded on first use; when it
// cannot be loaded every call answers false or does nothing, silently. A missing export
// is reported in a message box and answers false.
#pragma once

bool CnfDebugOptionsExt(void* options);
bool DbgIsEnable();
bool DbgIsBeforeReport();
void SetDbgIsEnable(bool value);
void SetDbgIsBeforeReport(bool value);
// Unloads the library (module unload; tests).
void UnloadDBGLib();
