a :- "bad.
