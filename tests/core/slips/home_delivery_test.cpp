#include "slips/home_delivery.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "printing/home_delivery_print.h"
#include "slips/home_delivery_chain.h"
#include "support/installation.h"

namespace rk::delivery {
namespace {

HomeDeliveryRecord consignment(int number, const char* name) {
    HomeDeliveryRecord r{};
    r.destPhone[0] = 3;
    r.destPhone[1] = 1234;
    r.destPhone[2] = number;
    r.originPhone[0] = 45;
    r.originPhone[1] = 987;
    r.originPhone[2] = 6543;
    cp932::assign(r.destAddress1, "東京都港区芝１－２－３");
    cp932::assign(r.destName, name);
    cp932::assign(r.originAddress1, "横浜市中区本町");
    cp932::assign(r.originName, "花卸　ラクレナ");
    r.fee[0] = 800;
    r.fee[1] = 200;
    return r;
}

HomeDeliveryRecord recordAt(const Bytes& file, int n) {
    return recordFrom<HomeDeliveryRecord>(std::span<const std::byte>(file).subspan(static_cast<size_t>(n) * 352));
}

TEST(HomeDelivery, ArrivalDefaultsRollOverMonthEnds) {
    for (auto [slipDate, arrival] : {std::pair{131, 201}, {229, 301}, {430, 501}, {1231, 101}, {615, 616}}) {
        HomeDeliveryRecord r{};
        applyDefaults(r, slipDate);
        EXPECT_EQ(r.shippingDate, slipDate);
        EXPECT_EQ(r.arrivalDate, arrival) << slipDate;
    }
    HomeDeliveryRecord typed{};
    typed.shippingDate = 1020;
    typed.arrivalDate = 1025;  // typed dates stay
    applyDefaults(typed, 131);
    EXPECT_EQ(typed.shippingDate, 1020);
    EXPECT_EQ(typed.arrivalDate, 1025);
    EXPECT_EQ(rollOver(230), 301);  // February always has 29 days
    EXPECT_EQ(rollOver(229), 229);

    EXPECT_TRUE(complete(consignment(1, "山田")));
    HomeDeliveryRecord blankName = consignment(1, "　　 ");  // blanks only count as empty
    EXPECT_FALSE(complete(blankName));
    HomeDeliveryRecord noPhone = consignment(0, "山田");
    EXPECT_FALSE(complete(noPhone));

    EXPECT_TRUE(fitsDigits(999, 3));
    EXPECT_FALSE(fitsDigits(1000, 3));
    EXPECT_FALSE(fitsDigits(-1, 4));
}

TEST(HomeDelivery, ThreeNewSlipsAreAppendedLinkedAndBookedOnce) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    std::vector<ChainSlip> slips(3);
    for (int i = 0; i < 3; ++i) slips[static_cast<size_t>(i)].record = consignment(1000 + i, "山田");
    RecordResult r = recordChain(ctx, slips, {131, 12, 4});
    ASSERT_TRUE(r.write.ok());
    EXPECT_EQ(r.first, 2);  // after the two placeholder records

    Bytes data = inst.bytes(kHomeDelivery);
    ASSERT_EQ(data.size(), 5 * 352u);
    EXPECT_EQ(recordAt(data, 2).next, 3);
    EXPECT_EQ(recordAt(data, 3).next, 4);
    EXPECT_EQ(recordAt(data, 4).next, 0);
    EXPECT_EQ(readI32(data, 4 * 352 + 84), 131);
    EXPECT_EQ(readI32(data, 4 * 352 + 88), 12);
    EXPECT_EQ(readI32(data, 4 * 352 + 92), 4);
    EXPECT_EQ(readI32(data, 3 * 352 + 8), 1001);
    EXPECT_EQ(recordAt(data, 3).shippingDate, 131);  // stored with the dates shown
    EXPECT_EQ(recordAt(data, 3).arrivalDate, 201);

    auto chain = readChain(ctx.files, ctx.fileSet[kHomeDelivery], r.first);
    ASSERT_TRUE(chain);
    ASSERT_EQ(chain->size(), 3u);
    EXPECT_EQ((*chain)[2].number, 4);

    // The book holds one record per consignment, numbered from byte 0.
    auto book = readBook(ctx.files, ctx.fileSet[kHomeDeliveryMaster]);
    ASSERT_TRUE(book);
    ASSERT_EQ(book->size(), 3u);
    EXPECT_EQ((*book)[0].destPhone[2], 1000);
    EXPECT_EQ((*book)[0].line, 4);

    // The same consignment recorded again on another line updates its book record.
    std::vector<ChainSlip> again(1);
    again[0].record = consignment(1001, "山田花子");
    RecordResult second = recordChain(ctx, again, {205, 3, 1});
    ASSERT_TRUE(second.write.ok());
    EXPECT_EQ(second.first, 5);
    book = readBook(ctx.files, ctx.fileSet[kHomeDeliveryMaster]);
    ASSERT_EQ(book->size(), 3u);
    EXPECT_EQ(cp932::toUtf8((*book)[1].destName), "山田花子");
    EXPECT_EQ((*book)[1].slipDate, 205);

    // Recording a loaded chain rewrites it in place; a slip taken out is skipped by the links.
    auto loaded = *readChain(ctx.files, ctx.fileSet[kHomeDelivery], 2);
    loaded.erase(loaded.begin() + 1);
    RecordResult third = recordChain(ctx, loaded, {131, 12, 4});
    ASSERT_TRUE(third.write.ok());
    EXPECT_EQ(third.first, 2);
    data = inst.bytes(kHomeDelivery);
    EXPECT_EQ(data.size(), 6 * 352u);
    EXPECT_EQ(recordAt(data, 2).next, 4);
}

TEST(HomeDelivery, EmptyOrMissingDataFileNeverHandsOutThePlaceholders) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    ASSERT_TRUE(ctx.files.truncate(ctx.fileSet[kHomeDelivery], 0));
    std::vector<ChainSlip> slips(1);
    slips[0].record = consignment(7, "鈴木");
    RecordResult r = recordChain(ctx, slips, {301, 5, 1});
    ASSERT_TRUE(r.write.ok());
    EXPECT_EQ(r.first, 2);  // 0 would detach the chain it just wrote
    EXPECT_EQ(inst.bytes(kHomeDelivery).size(), 3 * 352u);

    ASSERT_TRUE(ctx.files.remove(ctx.fileSet[kHomeDelivery]));
    slips[0].number = 0;
    r = recordChain(ctx, slips, {301, 5, 1});
    ASSERT_TRUE(r.write.ok());
    EXPECT_EQ(r.first, 2);
    Bytes data = inst.bytes(kHomeDelivery);
    ASSERT_EQ(data.size(), 3 * 352u);
    for (size_t i = 0; i < 2 * 352; ++i) ASSERT_EQ(data[i], std::byte{0});
}

TEST(HomeDelivery, DamagedChainsEndWhereTheyBreak) {
    Bytes file(300 * 352);
    auto link = [&](int n, int next) { writeI32(file, static_cast<size_t>(n) * 352 + 80, next); };
    link(2, 3);
    link(3, 2);  // a loop
    EXPECT_EQ(chainIn(file, 2).size(), 2u);
    link(3, 9999);  // past the end
    EXPECT_EQ(chainIn(file, 2).size(), 2u);
    link(3, 1);  // self-consistent but into a placeholder: read as far as it goes
    EXPECT_LE(chainIn(file, 2).size(), 3u);
    for (int n = 2; n < 299; ++n) link(n, n + 1);
    EXPECT_EQ(chainIn(file, 2).size(), 255u);  // the bound
    EXPECT_TRUE(chainIn(file, -4).empty());
    EXPECT_TRUE(chainIn(file, 300).empty());
    EXPECT_TRUE(chainIn(Bytes(100), 2).empty());  // torn file
}

TEST(HomeDelivery, SearchMatchesTelephoneNumberOrContainedText) {
    std::vector<HomeDeliveryRecord> book = {consignment(1111, "山田"), consignment(2222, "山本"),
                                            consignment(1111, "田中")};
    cp932::assign(book[1].destAddress2, "ビル３Ｆ");
    HomeDeliveryRecord cur{};
    cur.destPhone[2] = 1111;
    auto hits = search(book, cur, SearchField::DestPhone);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[1].number, 3);
    EXPECT_TRUE(search(book, cur, SearchField::OriginPhone).empty());

    cp932::assign(cur.destName, "山");
    EXPECT_EQ(search(book, cur, SearchField::DestName).size(), 2u);
    cp932::assign(cur.originName, "ラクレナ");
    EXPECT_EQ(search(book, cur, SearchField::OriginName).size(), 3u);

    // "%4d  ", name and address lines two blanks apart, padded with full-width blanks and cut
    // to 42 bytes, then " ≪ " and the sender.
    const std::string entry = searchEntry(2, book[1]);
    const std::string sjis = cp932::fromUtf8(entry);
    EXPECT_EQ(entry.rfind("   2  山本  東京都港区芝１－２－３  ビル", 0), 0u) << entry;
    EXPECT_EQ(sjis.substr(6 + 42), " \x81\xE1 " + cp932::fromUtf8("花卸　ラクレナ"));
}

TEST(HomeDelivery, BookMaintenanceKeepsRecordsAnotherStationAppended) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    std::vector<ChainSlip> slips(2);
    slips[0].record = consignment(1, "一");
    slips[1].record = consignment(2, "二");
    ASSERT_TRUE(recordChain(ctx, slips, {110, 1, 1}).write.ok());
    const auto before = *readBook(ctx.files, ctx.fileSet[kHomeDeliveryMaster]);

    // Meanwhile another station books a third consignment.
    std::vector<ChainSlip> other(1);
    other[0].record = consignment(3, "三");
    ASSERT_TRUE(recordChain(ctx, other, {111, 2, 1}).write.ok());

    auto after = before;
    cp932::assign(after[1].destName, "二号");
    after.push_back(consignment(4, "四"));
    ASSERT_TRUE(writeBookChanges(ctx, before, after).ok());
    auto book = *readBook(ctx.files, ctx.fileSet[kHomeDeliveryMaster]);
    ASSERT_EQ(book.size(), 4u);
    EXPECT_EQ(cp932::toUtf8(book[0].destName), "一");
    EXPECT_EQ(cp932::toUtf8(book[1].destName), "二号");
    EXPECT_EQ(cp932::toUtf8(book[2].destName), "三");
    EXPECT_EQ(cp932::toUtf8(book[3].destName), "四");
}

TEST(HomeDelivery, ChainCommandsRefuseIncompleteSlipsAndDropBlankOnes) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    Chain chain(ctx, inst.dialogs, {131, 8, 2});
    ASSERT_TRUE(chain.load(0));
    EXPECT_EQ(chain.current().arrivalDate, 201);
    EXPECT_FALSE(chain.next());
    EXPECT_FALSE(chain.copy());
    ASSERT_EQ(inst.dialogs.shown.size(), 2u);
    EXPECT_EQ(inst.dialogs.shown[0], kIncompleteNext);
    EXPECT_EQ(inst.dialogs.shown[1], kIncompleteCopy);

    chain.current() = consignment(10, "甲");
    ASSERT_TRUE(chain.copy());
    ASSERT_TRUE(chain.next());
    chain.paste();
    EXPECT_EQ(chain.current().destPhone[2], 10);
    chain.current().destPhone[2] = 11;
    ASSERT_TRUE(chain.next());  // a third, blank slip
    EXPECT_EQ(chain.count(), 3);
    ASSERT_TRUE(chain.previous());
    chain.deleteCurrent();
    EXPECT_EQ(chain.count(), 2);
    EXPECT_EQ(chain.currentNumber(), 1);

    int32_t first = -1;
    ASSERT_TRUE(chain.record(first));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(inst.bytes(kHomeDelivery).size(), 3 * 352u);  // the blank slip was not stored

    Chain emptied(ctx, inst.dialogs, {131, 8, 2});
    ASSERT_TRUE(emptied.load(first));
    EXPECT_EQ(emptied.count(), 1);
    emptied.deleteCurrent();
    ASSERT_TRUE(emptied.record(first));
    EXPECT_EQ(first, 0);
}

TEST(HomeDeliveryForm, PositionsAndPrintedItems) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    auto form = printing::loadHomeDeliveryForm(ctx.files, ctx.programFolder());
    ASSERT_TRUE(form);
    const fs::path file = ctx.programFolder() / printing::kHomeDeliveryFormFile;
    ASSERT_EQ(ctx.files.size(file), 2048u);

    form->at(1, 7) = 1234;  // destination Y of the name
    form->at(0, 7) = 300;
    form->at(0, 0) = 60;
    form->at(1, 15) = 900;  // Y only: nothing prints without X
    form->at(2, 15) = 500;  // the sender's row 15 is unused
    form->at(3, 15) = 910;
    form->at(0, 14) = 700;
    form->at(1, 14) = 880;
    ASSERT_TRUE(printing::saveHomeDeliveryForm(ctx.files, ctx.programFolder(), *form));
    Bytes bytes = *ctx.files.readAll(file);
    ASSERT_EQ(bytes.size(), 2048u);
    EXPECT_EQ(readI32(bytes, 540), 1234);
    EXPECT_EQ(readI32(bytes, 28), 300);

    printing::Consignment c;
    c.record = consignment(42, "山田");
    printing::Document doc = printing::planHomeDelivery({c}, *form, {0, 0, 4000, 6000, 600});
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto& texts = doc.pages[0].texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "山田");
    EXPECT_EQ(texts[0].x, 300);
    EXPECT_EQ(texts[0].y, 1234);
    EXPECT_EQ(texts[1].text, "   800");
    form->at(0, 15) = 650;
    doc = printing::planHomeDelivery({c}, *form, {0, 0, 4000, 6000, 600});
    bool total = false;
    for (const auto& t : doc.pages[0].texts)
        if (t.x == 650 && t.y == 900) total = t.text == "  1000";
    EXPECT_TRUE(total);
    EXPECT_EQ(printing::homeDeliveryItem(c, 3, 0), "0042");
    EXPECT_EQ(printing::homeDeliveryItem(c, 7, 0), "山田");
    EXPECT_EQ(doc.pages[0].texts[0].height, 60);

    // An all-zero form prints an empty page.
    doc = printing::planHomeDelivery({c}, printing::HomeDeliveryForm{}, {0, 0, 4000, 6000, 600});
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(doc.pages[0].texts.empty());
}

}  // namespace
}  // namespace rk::delivery
