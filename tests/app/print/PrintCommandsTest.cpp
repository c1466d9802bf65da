// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/print/PrintCommands.h"
#include "app/shell/ProfileStore.h"
#include "support/DocumentFixture.h"

namespace lutaris {
namespace {

class PrintCommandsTest : public test::DocumentTest {
protected:
    QTemporaryDir folder;
    ProfileStore profile{folder.filePath(QStringLiteral("profile.ini"))};
    PrintCommands printing{profile, doc};
};

TEST_F(PrintCommandsTest, ThePrinterIsMadeOnceWithTheProgramsResolutionAndName) {
    QPrinter& printer = printing.Printer();
    EXPECT_EQ(printer.resolution(), PrintCommands::kPrinterResolution);
    EXPECT_EQ(printer.docName(), QStringLiteral("Lutaris"));
    // What the print dialogs change stays for the next command.
    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(&printing.Printer(), &printer);
    EXPECT_EQ(printing.Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintCommandsTest, APdfPrinterNameIsThatFileAtTheProgramsResolution) {
    const QString path = folder.filePath(QStringLiteral("out.PDF"));
    printing.SelectPrinter(path);
    EXPECT_EQ(printing.Printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printing.Printer().outputFileName(), path);
    EXPECT_EQ(printing.Printer().resolution(), PrintCommands::kPrinterResolution);
    ASSERT_TRUE(printing.PrintDirect());
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF-"));
}

}  // namespace
}  // namespace lutaris
