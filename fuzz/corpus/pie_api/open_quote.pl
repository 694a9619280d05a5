p('open :- q.
