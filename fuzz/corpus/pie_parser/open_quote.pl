p('open :- q.
