a :- "bad.
