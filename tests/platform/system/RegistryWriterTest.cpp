#include <gtest/gtest.h>

#include "platform/system/Registry.h"
#include "platform/system/RegistryWriter.h"
#include "support/TempDir.h"

namespace {

// Values go in by full key path, as 32-bit numbers; the watcher hears each.
TEST(RegistryWriter, WritesThirtyTwoBitValuesByFullPath) {
    testsupport::TempDir dir;
    sys::Registry reg(dir.file("registry.reg"));
    QStringList heard;
    reg.setValueWatcher([&](const QString& key) { heard << key; });
    sys::RegistryWriter writer(reg);
    const QString key = "HKEY_CURRENT_USER\\Software\\PlenkPlayer\\vsfilter\\Timing";
    EXPECT_EQ(writer.WriteDword(key, "Subtitle Delay", -250), sys::ERROR_SUCCESS);
    EXPECT_EQ(static_cast<std::int32_t>(reg.value(key, "Subtitle Delay")->toUInt()), -250);
    EXPECT_EQ(writer.WriteDword("hkey_current_user\\Software\\PlenkPlayer\\vsfilter\\Timing",
                                "Subtitle Delay", 2147483647),
              sys::ERROR_SUCCESS);
    EXPECT_EQ(reg.value(key, "subtitle delay")->toUInt(), 2147483647u);
    EXPECT_EQ(heard.size(), 2);
    EXPECT_TRUE(heard.front().endsWith("vsfilter\\Timing"));
    sys::Registry again(dir.file("registry.reg"));
    EXPECT_EQ(static_cast<std::int32_t>(again.value(key, "Subtitle Delay")->toUInt()), 2147483647);
    for (const QString bad :
         {"HKEY_NOWHERE\\Software", "HKEY_CURRENT_USER", "HKEY_CURRENT_USER\\", ""})
        EXPECT_EQ(writer.WriteDword(bad, "Hide", 1), sys::ERROR_INVALID_HANDLE)
            << bad.toStdString();
    EXPECT_EQ(heard.size(), 2);
}

}  // namespace
