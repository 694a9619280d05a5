// Loading one rule program through the API: rule text or a compiled image, then the pass after
// loading, constant substitution, the optimiser when the options ask for it, and the listings.
// Whatever happens, the load pool is released and the busy marker cleared; clauses loaded before
// an error stay.
#include "pie/api/api.h"

#include "pie/api/api_platform.h"
#include "pie/api/guard.h"
#include "pie/build/image_loader.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/optimiser.h"
#include "pie/terms/pool.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"
#include "pie/text/trace.h"

#include <cstring>
#include <string>

namespace {

enum class Form { Text, Image, Refused };

int load(PieEngine* engine, Form form, const char* text, const uint8_t* image, size_t size) {
    engine->state = 1;
    pl_pool_create(engine, &engine->load_pool);
    engine->busy = 1;
    pl_ask_calling_side(engine);
    const int result = pl_guarded(engine, 1, [&] {
        if (engine->log_name && !(engine->log = std::fopen(engine->log_name, "w")))
            pl_fatal_error(engine, PL_ERR_FILE_OPEN, "PIE_main", engine->log_name);
        if (!engine->program) pl_fatal_error(engine, PL_ERR_NOT_INITIALISED, "PIE_main");
        if (form == Form::Refused) return 1;
        engine->load_anchor = engine->program->clauses[PL_WRITTEN]->prev;
        if (form == Form::Image) {
            if (size == SIZE_MAX)
                elf32_header_check(engine, image);
            else
                pl_load_image(engine, image, size);
            engine->image_loaded = 1;
        } else {
            pl_parse(engine, text);
        }
        if (!(engine->flags & PLE_SKIP_POST_LOAD)) {
            pl_post_load(engine, engine->load_anchor);
            if (engine->constants_defined) pl_substitute_constants(engine);
        }
        if (engine->flags & PLE_IMAGE_POST_STEP) pl_optimise_program(engine);
        if (engine->flags & PLE_TRACE) {
            plout_banner(engine);
            plout_listing(engine);
        }
        if (engine->flags & PLE_FUNCTOR_DUMP) plout_functor_dump(engine);
        if (engine->flags & PLE_REFERENCE_DUMP) plout_reference_dump(engine);
        return 0;
    });
    engine->load_anchor = nullptr;
    if (engine->log && engine->log != stdout) std::fclose(engine->log);
    engine->log = nullptr;
    pl_pool_release(engine, &engine->load_pool);
    engine->busy = 0;
    return result;
}

}  // namespace

int PIE_main(PieEngine* engine, const char* text) {
    if (!engine || !text) return 1;
    if (engine->busy) return -1;
    // An image has no length here: it reaches as far as its header and section table claim.
    if (pl_image_test(text) && !pl_image_second_byte_test(text))
        return load(engine, Form::Image, nullptr, reinterpret_cast<const uint8_t*>(text), SIZE_MAX);
    return load(engine, pl_image_second_byte_test(text) ? Form::Refused : Form::Text, text, nullptr, 0);
}

int PIE_main_image(PieEngine* engine, const void* data, size_t size) {
    if (!engine || (!data && size)) return 1;
    if (engine->busy) return -1;
    const auto* bytes = static_cast<const uint8_t*>(data);
    auto magic_at = [&](size_t at) { return size >= at + 4 && std::memcmp(bytes + at, "\x7f" "ELF", 4) == 0; };
    if (magic_at(0)) return load(engine, Form::Image, nullptr, bytes, size);
    if (magic_at(1)) return load(engine, Form::Refused, nullptr, nullptr, 0);
    // Rule text ends at its first NUL or at the end of the block.
    const std::string text(reinterpret_cast<const char*>(bytes), strnlen(reinterpret_cast<const char*>(bytes), size));
    return load(engine, Form::Text, text.c_str(), nullptr, 0);
}
