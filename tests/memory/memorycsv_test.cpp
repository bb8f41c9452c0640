#include "memorywindow.h"

namespace {

const QByteArray csvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Comment\r\n";

}  // namespace

TEST_F(MemoryWindow, GridContextMenuOffersCsvImportAndExport)
{
    EXPECT_EQ(grid()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList texts;
    for (QAction* action : grid()->actions())
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Import CSV...", "Export CSV..."}));

    chosen.clear();
    action("ImportCsvAction")->trigger();
    action("ExportCsvAction")->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].first, MemFileChooser::Purpose::ImportCsv);
    EXPECT_EQ(asked[1].first, MemFileChooser::Purpose::ExportCsv);
    // Cancelled: nothing changed, nothing written, nothing said.
    EXPECT_EQ(form->NumofMemories(), 1);
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(MemoryWindow, ImportCsvReplacesTheListAndSumsUpInOneBox)
{
    load(fiveRows);
    chosen = writeFile("list.csv",
                       "\xEF\xBB\xBF"
                       "Location,Name,Frequency,Duplex,Offset,Tone,Mode,Comment\r\n"
                       "1,\"Club, north\",146.940000,-,0.600000,Tone,NFM,\"the \"\"old\"\" one\"\r\n"
                       "3,,14.195,,0,,USB,\r\n"
                       "4,Bad,banana,,0,,FM,\r\n");
    action("ImportCsvAction")->trigger();

    EXPECT_EQ(form->NumofMemories(), 3);
    EXPECT_EQ(form->Channel(1), (MemRecord{"146.940.000", "FM", "MINUS", "Club, north - the \"old\" one"}));
    EXPECT_EQ(form->Channel(2), MemRecord{});
    EXPECT_EQ(form->Channel(3), (MemRecord{"014.195.000", "USB", "NONE", ""}));
    EXPECT_EQ(shownCount(), QStringLiteral("3"));
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(grid()->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Info);
    EXPECT_EQ(modal.boxes[0].text,
              QStringLiteral("2 channels imported.\n"
                             "Dropped, as a memory channel cannot hold them: 1 offset, 1 tone.\n"
                             "Changed:\n  line 2: mode NFM became FM\n"
                             "Not imported:\n  line 4: frequency \"banana\" is not one a memory holds "
                             "(0.010000 to 9999.999999 MHz)\n"));
}

TEST_F(MemoryWindow, UnreadableCsvLeavesTheListAndSaysWhy)
{
    load(fiveRows);
    chosen = writeFile("list.csv", "Location,Name,Freq\r\n1,a,146.52\r\n");
    form->ImportCsvClick();
    chosen = dir.filePath("missing.csv");
    form->ImportCsvClick();

    EXPECT_EQ(channels(), QStringLiteral("a|b|c|d|e"));
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Error);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("Cannot import \"%1\", line 1: the header line names no "
                                                  "Frequency column.")
                                       .arg(dir.filePath("list.csv")));
    EXPECT_EQ(modal.boxes[1].kind, Modal::Kind::Error);
    EXPECT_TRUE(modal.boxes[1].text.startsWith(QStringLiteral("Cannot read \"%1\": ").arg(chosen)));
}

TEST_F(MemoryWindow, ExportCsvWritesTheListAndComesBackTheSame)
{
    load(
        "145.500.000,FM,MINUS,Club - output\r\n"
        ",,,\r\n"
        "007.030.000,CWn,PLUS,\"quoted\", and more\r\n"
        "1296.000.000,USB,NONE,EME\r\n");
    chosen = dir.filePath("list");
    action("ExportCsvAction")->trigger();
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(
        readFile(dir.filePath("list.csv")),
        csvHeader +
            "1,Club,145.500000,-,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,output\r\n"
            "3,\"\"\"quoted\"\", and more\",7.030000,+,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NCW,5.00,,"
            "\r\n"
            "4,EME,1296.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,\r\n");

    const MemRecords before = form->Memories().records();
    form->Clear();
    chosen = dir.filePath("list.csv");
    form->ImportCsvClick();
    EXPECT_EQ(form->Memories().records(), before);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("3 channels imported.\n"));
    EXPECT_EQ(asked.back().second, dir.filePath("list.csv"));  // the dialog starts at the last CSV name
}

TEST_F(MemoryWindow, ExportCsvSaysWhatItLeftOut)
{
    load("BLANK,,,kept\r\n014.195.000,PSK,NONE,dx\r\n");
    chosen = dir.filePath("out.CSV");
    form->ExportCsvClick();
    EXPECT_TRUE(QFile::exists(chosen));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].kind, Modal::Kind::Info);
    EXPECT_EQ(modal.boxes[0].text, QStringLiteral("1 channel exported.\nLeft out or changed:\n"
                                                  "  channel 1: \"BLANK\" is no frequency; left out\n"
                                                  "  channel 2: mode \"PSK\" has no CSV name; left empty\n"));

    chosen = dir.filePath("no/such/folder/out.csv");
    form->ExportCsvClick();
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[1].kind, Modal::Kind::Error);
    EXPECT_TRUE(modal.boxes[1].text.startsWith(QStringLiteral("Cannot write \"%1\": ").arg(chosen)));
}
