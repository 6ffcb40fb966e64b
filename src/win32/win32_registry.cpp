#include "win32/win32_registry.h"

#include <windows.h>
#include <string>

namespace almanix {

namespace {

HKEY rootHandle(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::currentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::localMachine: return HKEY_LOCAL_MACHINE;
    }
    return nullptr;
}

const char* rootNameOf(RegistryRoot root) {
    return root == RegistryRoot::currentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

} // namespace

RegistryRead Win32Registry::readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                      KeyOpening opening, std::size_t bufferSize) {
    RegistryRead read;
    const std::string path(keyPath);
    const std::string name(valueName);
    HKEY key = nullptr;
    const LONG opened = opening == KeyOpening::plain
                            ? RegOpenKeyA(rootHandle(root), path.c_str(), &key)
                            : RegOpenKeyExA(rootHandle(root), path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_SUCCESS) {
        // The flag's buffer starts as spaces: a query that writes nothing leaves them.
        std::string buffer(bufferSize, opening == KeyOpening::plain ? ' ' : '\0');
        DWORD type = 0;
        DWORD length = static_cast<DWORD>(bufferSize);
        const LONG status =
            RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &length);
        if (status == ERROR_SUCCESS) {
            read.status = RegistryReadStatus::ok;
            read.type = type;
            read.data = buffer.substr(0, length);
        } else {
            read.status = status == ERROR_MORE_DATA ? RegistryReadStatus::tooLarge : RegistryReadStatus::valueMissing;
        }
    }
    RegCloseKey(key);
    return read;
}

RegistryWriteStatus Win32Registry::writeStringValue(RegistryRoot root, std::string_view keyPath,
                                                    std::string_view valueName, std::string_view bytes) {
    const std::string path(keyPath);
    const std::string name(valueName);
    char keyClass[] = "1";
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    HKEY key = nullptr;
    DWORD disposition = 0;
    // Only the right to set values, which an administrator may grant a user on the key.
    LONG status = RegCreateKeyExA(rootHandle(root), path.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                  &security, &key, &disposition);
    if (status == ERROR_SUCCESS)
        status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    if (status == ERROR_SUCCESS) return RegistryWriteStatus::written;
    return status == ERROR_ACCESS_DENIED ? RegistryWriteStatus::accessDenied : RegistryWriteStatus::failed;
}

RegistryWriteStatus Win32Registry::removeValue(RegistryRoot root, std::string_view keyPath,
                                               std::string_view valueName) {
    const std::string path(keyPath);
    const std::string name(valueName);
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(rootHandle(root), path.c_str(), 0, KEY_SET_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND) return RegistryWriteStatus::written;
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return RegistryWriteStatus::written;
    return status == ERROR_ACCESS_DENIED ? RegistryWriteStatus::accessDenied : RegistryWriteStatus::failed;
}

std::string Win32Registry::placeOf(RegistryRoot root, std::string_view keyPath) {
    return std::string("the registry key ") + rootNameOf(root) + '\\' + std::string(keyPath);
}

} // namespace almanix
