// Compiled rule images: the image of a text loads into the same program as the text, and broken
// images end with the loader's error without reading outside the image (ASan watches).
#include "image_writer.h"
#include "rule_fixture.h"

#include "pie/terms/hash.h"
#include "pie/build/image_loader.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"
#include "pie/terms/functor_set.h"

#include <algorithm>
#include <functional>
#include <string>

namespace {

struct ImageTest : RuleTest {
    ImageTest() { prepare(); }
    void prepare() {
        pl_program_create(e);
        pl_parse_system(e);
        e->win98 = 1;
    }
    void reset() {
        pl_engine_destroy(e);
        e = pl_engine_create(nullptr, 0x2);
        pl_compiler_create(e);
        prepare();
    }
    int loadImage(const std::vector<uint8_t>& image) {
        // An exact-size copy, so ASan sees any read past the end.
        std::vector<uint8_t> copy(image);
        return errorOf([&] {
            PlListNode* before = e->program->clauses[PL_WRITTEN]->prev;
            pl_load_image(e, copy.data(), copy.size());
            pl_post_load(e, before);
        });
    }
    int loadText(const char* text) {
        return errorOf([&] {
            PlListNode* before = e->program->clauses[PL_WRITTEN]->prev;
            pl_parse(e, text);
            pl_post_load(e, before);
        });
    }
    // Every user clause of the three lists, then each user functor's dependents.
    std::string program() {
        std::string out;
        for (int list = 0; list < 3; ++list)
            pl_list_each(e->program->clauses[list], [&](void* item) {
                auto* c = static_cast<PlCell*>(item);
                if (c->type == PL_CLAUSE) out += show(c->clause.term) + " #\n";
            });
        pl_hash_walk(e->program->functors, [&](void* item) {
            auto* f = static_cast<PlFunctor*>(item);
            if (!f->dependents || !f->dependents->count) return;
            out += std::string(f->name->name) + " <-";
            pl_functor_set_each(f->dependents, [&](PlFunctor* d) { out += std::string(" ") + d->name->name; });
            out += "\n";
        });
        return out;
    }
    size_t userClauses() {
        const std::string all = program();
        return static_cast<size_t>(std::count(all.begin(), all.end(), '#'));
    }
};

const char* const kPrograms[] = {
    "a(ON).\nb(_X) :- a(_X), not(c(OFF)).\nc(_Y) :- _Y = [1, 2, -70000 | _T], d(_T).\n",
    "paper(_X) :- size(A4), _X = 3 + 4.\nsize(_S) :- win98, !, _S = letter.\nsize(A3).\n",
    "tray(_T) :- paper(_P), tray(_P)::kind(_T), member(_T, [up, down]).\n",
    "x(_A) :- is(_A, 2 * 3), sum(1, 2, _B), f(_A, _B, g(h)), apply(y(_C)).\n",
    "$$(_X) :- q(_X).\nq(1).\n",
};

TEST_F(ImageTest, AnImageLoadsAsItsText) {
    for (const char* text : kPrograms) {
        ImageWriter writer;
        ASSERT_TRUE(writer.text(text)) << text;
        writer.u8(0xFF);
        ASSERT_EQ(loadText(text), 0) << text;
        const std::string expected = program();
        reset();
        ASSERT_EQ(loadImage(writer.image()), 0) << text;
        EXPECT_EQ(program(), expected) << text;
        EXPECT_EQ(staleFacts(), "") << text;
        EXPECT_GT(userClauses(), 0u);
        reset();
    }
}

TEST_F(ImageTest, BadImagesEndWithTheLoaderError) {
    using Edit = std::function<void(ImageWriter&, std::vector<uint8_t>&)>;
    auto u16at = [](std::vector<uint8_t>& v, size_t at, uint16_t x) { v[at] = x & 0xFF, v[at + 1] = x >> 8; };
    auto u32at = [](std::vector<uint8_t>& v, size_t at, uint32_t x) {
        for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
    };
    auto table = [](std::vector<uint8_t>& v) { return size_t{v[32]} | size_t{v[33]} << 8 | size_t{v[34]} << 16; };
    struct Case {
        const char* what;
        int error;
        Edit before;  // on the writer, before the image is made
        Edit after;   // on the image bytes
    };
    const Edit none = [](ImageWriter&, std::vector<uint8_t>&) {};
    const Case cases[] = {
        {"shorter than the header", 293, none, [](ImageWriter&, std::vector<uint8_t>& v) { v.resize(40); }},
        {"bad magic", 293, none, [](ImageWriter&, std::vector<uint8_t>& v) { v[3] = 'X'; }},
        {"table past the end", 293, none, [&](ImageWriter&, std::vector<uint8_t>& v) { u32at(v, 32, 0xFFFFFFF0); }},
        {"entry size too small", 293, none, [&](ImageWriter&, std::vector<uint8_t>& v) { u16at(v, 46, 8); }},
        {"name section index out of range", 293, none, [&](ImageWriter&, std::vector<uint8_t>& v) { u16at(v, 50, 99); }},
        {"section data past the end", 293, none,
         [&](ImageWriter&, std::vector<uint8_t>& v) { u32at(v, table(v) + 20, 0x7FFFFFFF); }},
        {"section name past its table", 293, none,
         [&](ImageWriter&, std::vector<uint8_t>& v) { u32at(v, table(v), 0xFFFF); }},
        {"names without their NUL", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.strtab += "zz"; }, none},
        {"odd functor table", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.functors.push_back(0); }, none},
        {"functor name past the names", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.functors = {0x01, 0x00}; }, none},
        {"owner out of range", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.functors = {0x80, 0x01, 0x00, 0x09}; }, none},
        {"owners in a cycle", 294,
         [](ImageWriter& w, std::vector<uint8_t>&) { w.functors = {0x80, 0x01, 0x00, 0x01, 0x80, 0x01, 0x00, 0x00}; }, none},
        {"refer past its section", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.refer = {0, 0, 0, 5, 0, 0}; }, none},
        {"refer index out of range", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.refer = {0, 0, 0, 1, 0, 7}; }, none},
        {"once-cell count too large", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.tag = 0x10000; }, none},
        {"unknown code", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x28); }, none},
        {"truncated integer", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x03).u16(0).u8(0x02).u8(1); }, none},
        {"functor index out of range", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x03).u16(50).u8(0x05); }, none},
        {"atom index out of range", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x03).u16(0).u8(0x07).u16(3); }, none},
        {"arity above 31", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x08).u16(w.str("p")).u8(32); }, none},
        {"once cell without a table", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x03).u16(0).u8(0xFD).u16(0); }, none},
        {"once index beyond the table", 294,
         [](ImageWriter& w, std::vector<uint8_t>&) { w.tag = 1, w.u8(0x03).u16(0).u8(0xFD).u16(2).u8(0x05); }, none},
        {"once cell inside its own goal", 294,
         [](ImageWriter& w, std::vector<uint8_t>&) { w.tag = 1, w.u8(0x03).u16(0).u8(0xFD).u16(1).u8(0xFD).u16(1); }, none},
        {"one slot, two names", 294,
         [](ImageWriter& w, std::vector<uint8_t>&) {
             w.u8(0x08).u16(w.str("p")).u8(2).u8(0x00).u16(w.str("_A")).u8(0).u8(0x00).u16(w.str("_B")).u8(0);
         },
         none},
        {"a clause that is an integer", 294, [](ImageWriter& w, std::vector<uint8_t>&) { w.u8(0x02).u32(7); }, none},
        {"deep nesting", PL_ERR_STACK,
         [](ImageWriter& w, std::vector<uint8_t>&) {
             for (int i = 0; i < 10000; ++i) w.u8(0x13);
             w.u8(0x05);
         },
         none},
    };
    for (const Case& c : cases) {
        ImageWriter w;
        w.functor("item");
        std::vector<uint8_t> unused;
        c.before(w, unused);
        std::vector<uint8_t> image = w.image();
        c.after(w, image);
        EXPECT_EQ(loadImage(image), c.error) << c.what;
        EXPECT_EQ(e->depth, 0) << c.what;
    }
    EXPECT_EQ(loadText("after(1)."), 0);  // the engine still loads
}

TEST_F(ImageTest, ClausesBeforeAnErrorStayAndAnEndCodeStops) {
    ImageWriter w;
    ASSERT_TRUE(w.text("p(1). p(2)."));
    w.u8(0x28);
    EXPECT_EQ(loadImage(w.image()), 294);
    EXPECT_EQ(pl_last_error(e).text, std::string("Illegal load element (28).\n"));
    EXPECT_EQ(userClauses(), 2u);

    ImageWriter end;
    end.u8(0xFF);
    ASSERT_TRUE(end.text("q(1)."));
    EXPECT_EQ(loadImage(end.image()), 0);
    EXPECT_EQ(userClauses(), 2u);
}

TEST_F(ImageTest, MissingRequiredSectionsLoadNothing) {
    for (const char* section : {".strtab", ".functor", ".user"}) {
        ImageWriter w;
        ASSERT_TRUE(w.text("p(1)."));
        w.omit = {section};
        EXPECT_EQ(loadImage(w.image()), 0) << section;
        EXPECT_EQ(userClauses(), 0u) << section;
    }
}

TEST_F(ImageTest, OwnersMayFollowAndOnceCellsAreShared) {
    ImageWriter w;
    // Entry 0 is kind/1 owned by entry 1, tray/1, which stands after it.
    w.functors = {0x80, static_cast<uint8_t>(w.str("kind")), 0x00, 0x01, 0x00, static_cast<uint8_t>(w.str("tray"))};
    w.tag = 2;
    // tray(_X) :- <once 1: kind(_X)>.   tray(_X) :- <once 1>.
    for (int i = 0; i < 2; ++i) {
        w.u8(0x37).u8(0x03).u16(1).u8(0x00).u16(w.str("_X")).u8(0).u8(0xFD).u16(1);
        if (i == 0) w.u8(0x03).u16(0).u8(0x00).u16(w.str("_X")).u8(0);
    }
    ASSERT_EQ(loadImage(w.image()), 0);
    PlFunctor* tray = pl_lookup_functor(e, pie_intern_string(e, "tray"), 1, nullptr);
    PlFunctor* kind = pl_lookup_functor(e, pie_intern_string(e, "kind"), 1, tray);
    ASSERT_EQ(pl_list_count(tray->clauses[PL_WRITTEN]), 2u);
    PlCell* first = pl_arg(static_cast<PlCell*>(tray->clauses[PL_WRITTEN]->next->item)->clause.term, 1);
    PlCell* second = pl_arg(static_cast<PlCell*>(tray->clauses[PL_WRITTEN]->next->next->item)->clause.term, 1);
    ASSERT_EQ(first->type, PL_ONCE);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->once.goal->fn.functor, kind);
    ASSERT_NE(tray->once_cells, nullptr);
    EXPECT_EQ(pl_list_count(tray->once_cells), 1u);
}

TEST_F(ImageTest, ReferListsReplaceDependentsFromBodies) {
    ImageWriter w;
    ASSERT_TRUE(w.text("a(_X) :- b(_X)."));
    w.refer = {0, static_cast<uint8_t>(w.functor("c")), 0, 1, 0, static_cast<uint8_t>(w.functor("a"))};
    ASSERT_EQ(loadImage(w.image()), 0);
    auto item = [&](const char* name) { return pl_lookup_functor(e, pie_intern_string(e, name), 1, nullptr); };
    EXPECT_TRUE(pl_functor_set_holds(item("c")->dependents, item("a")));
    EXPECT_EQ(item("b")->dependents->count, 0u);
}

TEST_F(ImageTest, RecognitionAndTheUnboundedEntry) {
    const struct {
        const char* text;
        int image, second;
    } tests[] = {{"\x7f" "ELF", 1, 0}, {"x\x7f" "ELF", 1, 1}, {"\x7f" "EL", 0, 0}, {"", 0, 0}, {"x", 0, 0}, {"p(a).", 0, 0}};
    for (const auto& t : tests) {
        EXPECT_EQ(pl_image_test(t.text), t.image) << t.text;
        EXPECT_EQ(pl_image_second_byte_test(t.text), t.second) << t.text;
    }
    ImageWriter w;
    ASSERT_TRUE(w.text("p(1). p(2)."));
    std::vector<uint8_t> image = w.image();
    EXPECT_EQ(errorOf([&] { elf32_header_check(e, image.data()); }), 0);
    EXPECT_EQ(userClauses(), 2u);
    // Without a length, nothing is read past the section table, whatever the header claims.
    auto put32 = [](std::vector<uint8_t>& v, size_t at, uint32_t x) {
        for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
    };
    const uint32_t table = image[32] | image[33] << 8 | image[34] << 16 | image[35] << 24;
    const struct {
        const char* fault;
        size_t at;
        uint32_t value;
    } forged[] = {
        {"section past the table", table + 16, table + 0x1000},
        {"section length past the table", table + 20, 0x10000},
        {"table beyond any image", 32, 0x7fff0000},
        {"table inside the header", 32, 8},
        {"entries of another size", 46, 0x10000 | 24},
    };
    for (const auto& f : forged) {
        std::vector<uint8_t> bad = image;
        put32(bad, f.at, f.at == 46 ? (bad[48] | bad[49] << 8) << 16 | (f.value & 0xffff) : f.value);
        EXPECT_EQ(errorOf([&] { elf32_header_check(e, bad.data()); }), PL_ERR_ELF_HEADER) << f.fault;
    }
}

}  // namespace
