// A stand-in for the debug library "DBG.dll": it exports the functions the debug link
// asks for, except _DbgIsBeforeReport and _SetDbgIsBeforeReport.
namespace {
bool enabled = false;
}  // namespace

extern "C" {

__attribute__((visibility("default"))) bool _DbgIsEnable() { return enabled; }

__attribute__((visibility("default"))) void _SetDbgIsEnable(bool value) { enabled = value; }

// The options record is an int here: the library marks it as configured.
__attribute__((visibility("default"))) bool _CnfDebugOptionsExt(void* options) {
    if (!options) return false;
    *static_cast<int*>(options) = 42;
    return true;
}

}  // extern "C"
