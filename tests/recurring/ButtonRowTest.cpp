// The shared Ok/Cancel/Help row as the dialogs use it: the right handler behind each named
// button, Ok the only default, the Alt keys, and a dialog's own commands in the same row.
#include "RecurDialogFixture.h"

#include "common/DialogButtons.h"
#include "recurring/Erecdf.h"
#include "recurring/Recd.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

namespace {

QKeySequence altKey(Qt::Key key)
{
    return QKeySequence(QKeyCombination(Qt::AltModifier, key));
}

TEST(ButtonRow, EachButtonRunsItsOwnHandlerAndOnlyOkIsDefault)
{
    QDialog dialog;
    QStringList ran;
    QDialogButtonBox *row = OkCancelHelpButtons(
        &dialog, [&] { ran << "ok"; }, [&] { ran << "cancel"; }, [&] { ran << "help"; },
        {.ok = "Yes", .cancel = "No", .help = "Why"});
    AddRowButton(row, QStringLiteral("&All"), "AllButton", [&] { ran << "all"; });
    QPushButton *ok = RowButton(row, "Yes");
    QPushButton *cancel = RowButton(row, "No");
    QPushButton *help = RowButton(row, "Why");
    QPushButton *all = RowButton(row, "AllButton");
    ASSERT_TRUE(ok && cancel && help && all);
    EXPECT_EQ(RowButton(row, "OkButton"), nullptr);

    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault() || help->isDefault() || all->isDefault());
    EXPECT_EQ(QKeySequence::mnemonic(ok->text()), altKey(Qt::Key_O));
    EXPECT_EQ(QKeySequence::mnemonic(cancel->text()), altKey(Qt::Key_C));
    EXPECT_EQ(QKeySequence::mnemonic(help->text()), altKey(Qt::Key_H));

    // Handlers of their own replace accepting and rejecting: the dialog stays open.
    QSignalSpy finished(&dialog, &QDialog::finished);
    for (QPushButton *b : {ok, cancel, help, all})
        QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(ran, QStringList({"ok", "cancel", "help", "all"}));
    EXPECT_EQ(finished.count(), 0);
}

TEST(ButtonRow, WithoutHandlersOkAcceptsCancelRejectsAndNoHelp)
{
    QDialog dialog;
    QDialogButtonBox *row = OkCancelHelpButtons(&dialog, nullptr, nullptr);
    EXPECT_EQ(RowButton(row, "HelpButton"), nullptr);
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(RowButton(row, "OkButton"), Qt::LeftButton);
    QTest::mouseClick(RowButton(row, "CancelButton"), Qt::LeftButton);
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    EXPECT_EQ(finished.at(1).at(0).toInt(), QDialog::Rejected);
}

class RecurButtonRows : public test::RecurDialogFixture
{
};

// The formula dialog's Ok checks the formula before closing; its buttons keep their names.
TEST_F(RecurButtonRows, FormulaDialogOkChecksAndCancelCloses)
{
    TEditRecurringDateFormula d;
    auto *ok = d.findChild<QPushButton *>(QStringLiteral("Okbutton"));
    auto *cancel = d.findChild<QPushButton *>(QStringLiteral("CancelButton"));
    ASSERT_TRUE(ok && cancel);
    QSignalSpy finished(&d, &QDialog::finished);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    EXPECT_EQ(d.formula().substr(0, 1), "@");
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished.at(1).at(0).toInt(), QDialog::Rejected);
}

// The list's own commands share the row; with nothing listed, Edit and Delete are off.
TEST_F(RecurButtonRows, RecurringDatesCommandsSitInTheRow)
{
    TEditRecurringDates d;
    auto *row = d.findChild<QDialogButtonBox *>();
    ASSERT_NE(row, nullptr);
    for (const char *name : {"okbutton", "Editbutton", "Newbutton", "DeleteButton",
                             "Holidaysbutton", "CancelButton"})
        EXPECT_NE(RowButton(row, name), nullptr) << name;
    EXPECT_TRUE(RowButton(row, "okbutton")->isDefault());
    EXPECT_FALSE(RowButton(row, "Editbutton")->isEnabled());
    EXPECT_FALSE(RowButton(row, "DeleteButton")->isEnabled());
    EXPECT_TRUE(RowButton(row, "Newbutton")->isEnabled());
}

} // namespace
