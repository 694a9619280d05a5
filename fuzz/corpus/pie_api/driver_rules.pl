% driver rules
Finishing$Staple(_X) :- Layout$Booklet(ON), ?d, ?sr(12).
Quality$Resolution(_R) :- $DefaultResoShift(_S), _R is 600 << _S, _R >= 300 ; ?h.
Paper$Source(_) :- wait([Paper$Size, Paper$Type]), select_enable(Paper$Tray, [TRAY1, TRAY2 | _T]).
p('quoted name', [a, (b, c)], f(-), 3 - -1, 12KB) :- not (a, b), _X = _Y, _X == _Y, _X \== 1.
?- op(700, xfx, likes).
a likes b :- x(a) :: g(1).
