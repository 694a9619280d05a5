# initial capability facts
$EngineType(QRT) :- true.
$Paper(A4) :- true.
$Paper(LEGAL) :- true.
$DefaultResoShift(-1) :- true.
$EngineType(UNDEFINED3) :- true.
$MemorySize(64MB) :- true.
