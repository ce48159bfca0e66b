#pragma once
// A temporary application folder with a scripted message service, for the recurring date
// dialogs and commands.
#include "common/Program.h"
#include "recurring/RecurStore.h"
#include "support/ScriptedUi.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace velmora::test {

class RecurDialogFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("velmora-recdlg-" + std::to_string(getpid()) + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        SetAppFolder(QString::fromStdString(folder.string()));
    }
    void TearDown() override
    {
        SetAppFolder({});
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path store() const { return folder / "QXRECUR.DAX"; }
    void writeStore(const std::vector<std::string> &lines) { writeRecurLines(store(), lines); }
    std::string storeBytes() const
    {
        std::ifstream in(store(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    ScriptedUi &ui() { return scripted.ui(); }

    template <class T> static T *child(const QWidget &parent, const char *name)
    {
        T *found = parent.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::filesystem::path folder;
    ScopedScriptedUi scripted;
};

} // namespace velmora::test
