Paper(A4) :- Mode(ON), Duplex(OFF), Tray(_T), member(_T, [UPPER, LOWER]), !.
Paper(A3) :- Mode(ON), Duplex(OFF), not(Tray(MANUAL)), Size(_S), not(member(_S, [1, 2])).
Paper(_X) :- (Mode(ON) ; Duplex(OFF)), Tray(_T), member(_T, [MANUAL]), _X = LETTER.
Copies(_X) :- Mode(ON), Duplex(ON), Count(_C), member(_C, [1, 2, 3]), sum(_C, 1, _X).
Copies(1) :- Mode(ON), Duplex(ON).
?- Paper(_P), Copies(_C).
