#include "platform/system/RegistryWriter.h"

#include "platform/system/Registry.h"

namespace sys {

long RegistryWriter::WriteDword(const QString& keyPath, const QString& valueName,
                                std::int32_t value) {
    const qsizetype cut = keyPath.indexOf(u'\\');
    const QString rootName = keyPath.left(cut);
    const QString below = cut < 0 ? QString() : keyPath.mid(cut + 1);
    for (const RootKey& root : kRootKeys) {
        if (rootName.compare(QLatin1String(root.name), Qt::CaseInsensitive) != 0 || below.isEmpty())
            continue;
        HKEY key = 0;
        long result = registry_.RegCreateKeyA(root.key, below, &key);
        if (result != ERROR_SUCCESS) return result;
        result = registry_.RegSetValueExA(key, valueName, REG_DWORD,
                                          QVariant(static_cast<quint32>(value)));
        registry_.RegCloseKey(key);
        return result;
    }
    return ERROR_INVALID_HANDLE;
}

}  // namespace sys
