// Independent proof of the files pstgen writes: libpff's tools and libpst's readpst read them
// without error and see the folders, item counts, subjects and attachment bytes written.
#include "pstgen/pst_writer.h"
#include "pstgen/synthetic_mailbox.h"
#include "pstgen_mailboxes.h"
#include "pstgen_support.h"

#include <gtest/gtest.h>

namespace varnemo::testing {
namespace {

class PstgenProof : public ::testing::Test {
protected:
    std::filesystem::path Write(const pstgen::Mailbox& mailbox)
    {
        const auto path = dir.path() / "mailbox.pst";
        pstgen::WritePst(mailbox, path);
        return path;
    }

    TempDir dir;
};

TEST_F(PstgenProof, PffinfoReadsTheStoreOfEveryShape)
{
    const auto pst = Write(EveryShapeMailbox());
    const auto info = RunCommand("pffinfo " + Quote(pst.string()), dir.path());
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("File type:\t\t64-bit"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Encryption type:\tnone"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Folders:\t\tSubtree, Wastbox, Finder"), std::string::npos) << info.out;
}

TEST_F(PstgenProof, PffexportSeesEveryFolderItemAndAttachmentOfEveryShape)
{
    const auto mailbox = EveryShapeMailbox();
    EXPECT_EQ(SeenByPffexport(Write(mailbox), dir.path()), Expected(mailbox, PffexportView()));
}

TEST_F(PstgenProof, ReadpstSeesEveryFolderItemAndAttachmentOfEveryShape)
{
    const auto mailbox = EveryShapeMailbox();
    const auto expected = Expected(mailbox, ReadpstView(true));
    const auto read = SeenByReadpstOnceMoreIfUnlike(Write(mailbox), dir.path(), true, expected);
    EXPECT_EQ(read.seen, expected);
    EXPECT_EQ(read.reported, ExpectedReadpstReport(mailbox));
}

TEST_F(PstgenProof, ReadpstSeesEveryShapeInItsMboxFilesToo)
{
    const auto mailbox = EveryShapeMailbox();
    const auto expected = Expected(mailbox, ReadpstView(false));
    const auto read = SeenByReadpstOnceMoreIfUnlike(Write(mailbox), dir.path(), false, expected);
    EXPECT_EQ(read.seen, expected);
}

TEST_F(PstgenProof, BothReadersSeeASyntheticMailbox)
{
    const auto mailbox = pstgen::SynthesizeMailbox({300, 5, 7});
    ExpectIndependentReadersSee(Write(mailbox), mailbox, dir.path());
}

TEST_F(PstgenProof, BothReadersSeeAMailboxUnderEitherEncoding)
{
    for (const auto& [encoding, name] : {std::pair{pstgen::Encoding::Compressible, "compressible"},
                                         std::pair{pstgen::Encoding::High, "high"}}) {
        SCOPED_TRACE(name);
        const auto mailbox = pstgen::SynthesizeMailbox({60, 1, 7, encoding});
        const auto pst = Write(mailbox);
        const auto info = RunCommand("pffinfo " + Quote(pst.string()), dir.path());
        EXPECT_NE(info.out.find(std::string("Encryption type:\t") + name), std::string::npos) << info.out;
        ExpectIndependentReadersSee(pst, mailbox, dir.path());
    }
}

TEST_F(PstgenProof, BothReadersSeeAnAttachmentLargerThanOneBlockTree)
{
    // 9 MB needs more than the 1,021 blocks of one XBLOCK: the data goes under an XXBLOCK.
    const auto mailbox = LargeAttachmentMailbox(9u << 20);
    ExpectIndependentReadersSee(Write(mailbox), mailbox, dir.path());
}

TEST_F(PstgenProof, BothReadersSeeAFolderWhoseTablesNeedSeveralLevels)
{
    // 3,000 rows: the row index and the node B-tree get index levels, the rows a sub-node tree.
    const auto mailbox = BulkMailbox(3000);
    ExpectIndependentReadersSee(Write(mailbox), mailbox, dir.path());
}

}  // namespace
}  // namespace varnemo::testing
