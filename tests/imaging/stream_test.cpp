// Resource streams: the missing resource, short reads and every Seek origin.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/stream.h"
#include "imaging_test_ids.h"
#include "imaging_test_support.h"

using imaging_test::MessageBoxWatcher;

namespace {
CResourceStream* OpenThirty() {
    return new CResourceStream(nullptr, MAKEINTRESOURCEA(IDR_THIRTY), RT_RCDATA);
}
} // namespace

TEST(ResourceStream, MissingResourceReportsAndFails) {
    MessageBoxWatcher watcher("CResourceStream Error");
    CResourceStream* stream =
        new CResourceStream(nullptr, MAKEINTRESOURCEA(IDB_MISSING), RT_BITMAP);
    watcher.Finish();
    EXPECT_EQ(1, watcher.Count());
    EXPECT_EQ("Resource:777が見つかりませんでした。", watcher.Text());
    EXPECT_EQ(0, watcher.HasCancel());
    EXPECT_EQ(0, watcher.HasIcon());
    EXPECT_EQ(-1, stream->GetState());
    EXPECT_EQ(0u, stream->GetSize());
    char buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(0u, stream->Read(buffer, sizeof(buffer)));
    EXPECT_EQ(1, buffer[0]);
    EXPECT_EQ(0, stream->Seek(4, 0));
    EXPECT_EQ(-1, stream->GetState());
    // Deleting a stream without a resource releases nothing and raises nothing.
    delete stream;
}

TEST(ResourceStream, ClearResetsTheState) {
    MessageBoxWatcher watcher("CResourceStream Error");
    CResourceStream stream(nullptr, MAKEINTRESOURCEA(IDB_MISSING), RT_BITMAP);
    watcher.Finish();
    EXPECT_EQ(-1, stream.GetState());
    EXPECT_EQ(0, stream.Clear());
    EXPECT_EQ(0, stream.GetState());
    char c = 0;
    EXPECT_EQ(0u, stream.Read(&c, 1));
    EXPECT_EQ(-1, stream.GetState());
}

TEST(ResourceStream, FoundResourceShowsNoMessage) {
    MessageBoxWatcher watcher("CResourceStream Error");
    CResourceStream* stream = OpenThirty();
    watcher.Finish();
    EXPECT_EQ(0, watcher.Count());
    EXPECT_EQ(0, stream->GetState());
    EXPECT_EQ(30u, stream->GetSize());
    delete stream;
}

TEST(ResourceStream, ShortReadsAreNotErrors) {
    CResourceStream* stream = OpenThirty();
    BYTE buffer[40];
    memset(buffer, 0xEE, sizeof(buffer));
    EXPECT_EQ(30u, stream->Read(buffer, 40));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(i, buffer[i]);
    EXPECT_EQ(0xEE, buffer[30]);
    EXPECT_EQ(30, stream->Seek(0, 1));
    EXPECT_EQ(0u, stream->Read(buffer, 40));
    EXPECT_EQ(0, stream->GetState());
    delete stream;
}

TEST(ResourceStream, ReadsInPieces) {
    CResourceStream* stream = OpenThirty();
    BYTE buffer[16];
    EXPECT_EQ(10u, stream->Read(buffer, 10));
    EXPECT_EQ(9, buffer[9]);
    EXPECT_EQ(16u, stream->Read(buffer, 16));
    EXPECT_EQ(10, buffer[0]);
    EXPECT_EQ(25, buffer[15]);
    EXPECT_EQ(4u, stream->Read(buffer, 16));
    EXPECT_EQ(29, buffer[3]);
    EXPECT_EQ(0u, stream->Read(buffer, 0));
    delete stream;
}

TEST(ResourceStream, SeekOrigins) {
    CResourceStream* stream = OpenThirty();
    EXPECT_EQ(30, stream->Seek(0, 2));
    EXPECT_EQ(5, stream->Seek(5, 0));
    EXPECT_EQ(8, stream->Seek(3, 1));
    EXPECT_EQ(8, stream->Seek(7, 3));
    EXPECT_EQ(8, stream->Seek(7, -1));
    EXPECT_EQ(6, stream->Seek(-2, 1));
    EXPECT_EQ(27, stream->Seek(-3, 2));
    BYTE b[4];
    EXPECT_EQ(3u, stream->Read(b, 4));
    EXPECT_EQ(27, b[0]);
    EXPECT_EQ(29, b[2]);
    EXPECT_EQ(0, stream->GetState());
    delete stream;
}

TEST(ResourceStream, SeekOutsideReadsNothing) {
    CResourceStream* stream = OpenThirty();
    BYTE buffer[64];
    memset(buffer, 0xEE, sizeof(buffer));
    // Beyond the end: the position is kept, nothing is read.
    EXPECT_EQ(100, stream->Seek(100, 0));
    EXPECT_EQ(0u, stream->Read(buffer, 64));
    EXPECT_EQ(40, stream->Seek(10, 2));
    EXPECT_EQ(0u, stream->Read(buffer, 1));
    // Before the beginning: a huge unsigned position, still nothing.
    EXPECT_EQ(-5, stream->Seek(-5, 0));
    EXPECT_EQ(0u, stream->Read(buffer, 64));
    EXPECT_EQ(-1, stream->Seek(-31, 2));
    EXPECT_EQ(0u, stream->Read(buffer, 64));
    EXPECT_EQ(0x7FFFFFFF, stream->Seek(0x7FFFFFFF, 0));
    EXPECT_EQ(0u, stream->Read(buffer, 0xFFFFFFFFu));
    for (BYTE b : buffer)
        EXPECT_EQ(0xEE, b);
    EXPECT_EQ(0, stream->GetState());
    // Back inside, reading works again.
    EXPECT_EQ(29, stream->Seek(29, 0));
    EXPECT_EQ(1u, stream->Read(buffer, 0xFFFFFFFFu));
    EXPECT_EQ(29, buffer[0]);
    delete stream;
}

TEST(ResourceStream, ReadsABitmapResource) {
    CResourceStream* stream = new CResourceStream(nullptr, MAKEINTRESOURCEA(IDB_T24), RT_BITMAP);
    EXPECT_EQ(0, stream->GetState());
    // Header and 3 rows of 20 bytes.
    EXPECT_EQ(40u + 3 * 20, stream->GetSize());
    DWORD size = 0;
    EXPECT_EQ(4u, stream->Read(&size, 4));
    EXPECT_EQ(40u, size);
    delete stream;
}
