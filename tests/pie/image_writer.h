// A writer of compiled rule images for tests, fuzz seeds and benchmarks: rule text is read and
// preprocessed by an engine of its own and written in the image codes, so that the image of a
// text loads into the same clauses as the text. The raw section bytes stay open for tests that
// build broken images by hand.
#pragma once

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/text/lexer.h"
#include "pie/build/preprocessor.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ImageWriter {
public:
    std::string strtab = std::string(1, '\0');
    std::vector<uint8_t> functors, atoms, refer, user;
    int64_t tag = -1;               // once-cell count; negative leaves ".tag" out
    std::vector<std::string> omit;  // sections to leave out

    ImageWriter() : e_(pl_engine_create(nullptr, 0)) { pl_compiler_create(e_); }
    ~ImageWriter() { pl_engine_destroy(e_); }
    ImageWriter(const ImageWriter&) = delete;
    ImageWriter& operator=(const ImageWriter&) = delete;

    uint16_t str(const std::string& s) {
        auto [it, added] = strings_.try_emplace(s, static_cast<uint16_t>(strtab.size()));
        if (added) strtab += s + '\0';
        return it->second;
    }
    // Index of the functor entry name/1 (with an owner entry: two words).
    uint16_t functor(const std::string& name, int owner = -1) {
        const std::string key = name + "@" + std::to_string(owner);
        if (auto it = functor_index_.find(key); it != functor_index_.end()) return it->second;
        if (owner < 0) {
            put16(functors, str(name));
        } else {
            put16(functors, 0x8000 | str(name));
            put16(functors, static_cast<uint16_t>(owner));
        }
        return functor_index_[key] = functor_count_++;
    }
    uint16_t atom(const std::string& name) {
        if (auto it = atom_index_.find(name); it != atom_index_.end()) return it->second;
        put16(atoms, str(name));
        return atom_index_[name] = static_cast<uint16_t>(atoms.size() / 2 - 1);
    }
    ImageWriter& u8(uint8_t v) { return user.push_back(v), *this; }
    ImageWriter& u16(uint16_t v) { return put16(user, v), *this; }
    ImageWriter& u32(uint32_t v) { return put16(user, v >> 16), put16(user, v & 0xFFFF), *this; }

    // Writes every clause of text (directives are left out); false when the text does not read.
    bool text(const char* source) {
        return pl_guarded(e_, -1, [&] {
            PlToken token;
            pl_lex_start(e_, source, &token);
            while (PlCell* clause = pl_read_clause(e_, &token, PL_CLAUSE)) {
                if (pl_is_functor(clause->clause.term, pl_predefined(e_, PLP_query_1))) continue;
                aliases(clause->clause.term);
                preprocessor(e_, clause);  // a rule's header check included
                write(clause->clause.term);
            }
            return 0;
        }) == 0;
    }

    std::vector<uint8_t> image() const {
        struct Out {
            std::string name;
            std::vector<uint8_t> data;
        };
        std::vector<Out> sections;
        auto add = [&](const char* name, std::vector<uint8_t> data) {
            for (const auto& o : omit)
                if (o == name) return;
            sections.push_back({name, std::move(data)});
        };
        add(".strtab", std::vector<uint8_t>(strtab.begin(), strtab.end()));
        add(".functor", functors);
        add(".atom", atoms);
        if (!refer.empty()) add(".refer", refer);
        if (tag >= 0) {
            std::vector<uint8_t> t;
            put16(t, static_cast<uint32_t>(tag >> 16));
            put16(t, static_cast<uint32_t>(tag & 0xFFFF));
            add(".tag", t);
        }
        add(".user", user);
        std::string names(1, '\0');
        std::vector<uint32_t> name_at;
        for (const auto& s : sections) {
            name_at.push_back(static_cast<uint32_t>(names.size()));
            names += s.name + '\0';
        }
        name_at.push_back(static_cast<uint32_t>(names.size()));
        names += std::string(".shstrtab") + '\0';
        sections.push_back({".shstrtab", std::vector<uint8_t>(names.begin(), names.end())});

        std::vector<uint8_t> out(52, 0);
        out[0] = 0x7F, out[1] = 'E', out[2] = 'L', out[3] = 'F', out[4] = 1, out[5] = 1, out[6] = 1;
        std::vector<uint32_t> offsets;
        for (const auto& s : sections) {
            offsets.push_back(static_cast<uint32_t>(out.size()));
            out.insert(out.end(), s.data.begin(), s.data.end());
        }
        while (out.size() % 4) out.push_back(0);
        const uint32_t table = static_cast<uint32_t>(out.size());
        for (size_t i = 0; i < sections.size(); ++i) {
            std::vector<uint8_t> h(40, 0);
            le(h, 0, name_at[i], 4);
            le(h, 16, offsets[i], 4);
            le(h, 20, static_cast<uint32_t>(sections[i].data.size()), 4);
            out.insert(out.end(), h.begin(), h.end());
        }
        le(out, 32, table, 4);
        le(out, 46, 40, 2);
        le(out, 48, static_cast<uint32_t>(sections.size()), 2);
        le(out, 50, static_cast<uint32_t>(sections.size() - 1), 2);
        return out;
    }

private:
    PieEngine* e_;
    std::map<std::string, uint16_t> strings_, functor_index_, atom_index_;
    uint16_t functor_count_ = 0;

    static void put16(std::vector<uint8_t>& v, uint32_t x) {
        v.push_back(static_cast<uint8_t>(x >> 8));
        v.push_back(static_cast<uint8_t>(x));
    }
    static void le(std::vector<uint8_t>& v, size_t at, uint32_t x, int bytes) {
        for (int i = 0; i < bytes; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
    }

    // F(x) :: G(y) becomes the property term G(y) of F with its key x, as the loader of text does.
    void aliases(PlCell*& t) {
        if (t->type == PL_LIST) {
            aliases(t->list.head);
            aliases(t->list.tail);
        }
        if (t->type != PL_FUNCTOR) return;
        for (uint32_t i = 0; i < t->fn.functor->arity; ++i) aliases(t->fn.args->items[i]);
        if (!pl_is_functor(t, pl_predefined(e_, PLP_colons_2))) return;
        PlCell *f = pl_arg(t, 0), *g = pl_arg(t, 1);
        if (f->type != PL_FUNCTOR || g->type != PL_FUNCTOR || f->fn.functor->arity != 1 || g->fn.functor->arity != 1 ||
            (f->fn.functor->flags & PLF_SYSTEM))
            return;
        PlCell* p = pl_make_term(e_, pl_lookup_functor(e_, g->fn.functor->name, 1, f->fn.functor));
        p->fn.args->items[0] = pl_arg(g, 0);
        p->fn.args->items[1] = pl_arg(f, 0);
        t = p;
    }

    int code_of(const PlFunctor* f) const {
        for (int i = 0; i < kPlPredefinedFunctorCount; ++i)
            if (kPlPredefinedRows[i].image_code && pl_predefined(e_, i) == f) return kPlPredefinedRows[i].image_code;
        return 0;
    }

    void write(const PlCell* t) {
        switch (t->type) {
        case PL_VAR: u8(0x00).u16(str(t->var.name->name)).u8(static_cast<uint8_t>(t->var.slot)); return;
        case PL_ANONYMOUS: u8(0x01); return;
        case PL_INT: u8(0x02).u32(static_cast<uint32_t>(t->value)); return;
        case PL_NIL: u8(0x05); return;
        case PL_LIST:
            u8(0x04);
            write(t->list.head);
            write(t->list.tail);
            return;
        case PL_FUNCTOR: break;
        default: u8(0xFC); return;  // nothing else comes out of rule text
        }
        const PlFunctor* f = t->fn.functor;
        if (f == pl_predefined(e_, PLP_dollars_1) && pl_arg(t, 0)->type == PL_ANONYMOUS) {
            u8(0x38);
            return;
        }
        if (int code = code_of(f)) {
            u8(static_cast<uint8_t>(code));
        } else if (f->arity == 1 && f->owner) {
            u8(0x06).u16(functor(f->name->name, functor(f->owner->name->name)));
            write(pl_arg(t, 0));
            write(pl_arg(t, 1));
            return;
        } else if (f->arity == 1 && !(f->flags & PLF_SYSTEM)) {
            u8(0x03).u16(functor(f->name->name));
        } else if (f->arity == 0) {
            u8(0x07).u16(atom(f->name->name));
            return;
        } else {
            u8(0x08).u16(str(f->name->name)).u8(static_cast<uint8_t>(f->arity));
        }
        for (uint32_t i = 0; i < f->arity; ++i) write(pl_arg(t, i));
    }
};
