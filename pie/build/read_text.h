// Rule text read once per process: the first engine that loads a text records, clause by clause,
// the names and functors its reading looked up (in the order it looked them up) and the clause
// terms it read; every later engine that loads the same text takes the clauses from that record
// instead of lexing and parsing it again. The record is immutable and shared between threads;
// what it becomes in an engine (atoms, functors, clause cells, asserts and retracts) is that
// engine's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct PieEngine;
struct PlAtom;
struct PlCell;
struct PlFunctor;
struct PlReadText;
struct PlTextRecorder;

// The record of text read into clause records of type, or null when none is kept or the engine
// reads differently from the engine that recorded it (operators or abbreviations changed since
// it started).
std::shared_ptr<const PlReadText> pl_read_text_find(const PieEngine* engine, const char* text, size_t length,
                                                    uint32_t type);

// Hooks of the atom table and the functor table: while a recording runs on the engine, every
// name interned and functor looked up is noted in order, so that a replay creates them in the
// same order and every serial number, hash walk and dump stays the same.
void pl_text_recorder_note_atom(PieEngine* engine, PlAtom* atom);
void pl_text_recorder_note_functor(PieEngine* engine, PlFunctor* functor);

// Records the reading of one text in an engine, for pl_parse: made before the first token, told
// of each clause read and paused while the clause is stored, kept only when the whole text was
// read without an error and nothing in it could read differently in another engine.
class PlTextRecording {
public:
    PlTextRecording(PieEngine* engine, const char* text, size_t length, uint32_t type);
    ~PlTextRecording();
    PlTextRecording(const PlTextRecording&) = delete;
    PlTextRecording& operator=(const PlTextRecording&) = delete;

    // After pl_lex_start: the lookups so far come before the first clause's.
    void first_token_read();
    // After the clause at line was read (the lexer now stands at next_line): notes its term and
    // stops noting lookups until resume().
    void clause_read(PlCell* clause, int32_t line, int32_t next_line);
    // A directive was read: its run may change how the rest reads, so nothing is kept.
    void abandon();
    void resume();
    // The end of the text was read at line: the record joins the process's records.
    void finish(int32_t line);

private:
    PieEngine* engine_;
    std::unique_ptr<PlTextRecorder> recorder_;
};

// Loads the clauses of a record as pl_parse loads them from text; store runs what pl_parse runs
// after reading each clause (the alias rewrite and storing it) with the clause's line, the line
// the lexer then stood at, and whether the clause holds a "::" term for the rewrite.
void pl_read_text_replay(PieEngine* engine, const PlReadText& record,
                         void (*store)(PieEngine* engine, PlCell* clause, int32_t line, int32_t next_line,
                                       bool aliases));

// How many records this process has made (each text is recorded once while its record is kept).
uint64_t pl_read_texts_made();
