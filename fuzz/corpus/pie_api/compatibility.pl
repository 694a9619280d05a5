CommonRuleVersion(110) :- true.
Layout$Staple(_) :- { unsupported }.
$$(_) :- { unsupported_element(Finishing$Punch, [HOLE2, HOLE3]) }.
$bFolionixON(ON) :- (win9X | win2k), (not Layout$PrintDatePosition(NONE) | not Layout$PrintUserPosition(NONE) | not Layout$PrintPagePosition(NONE)).
Layout$PrintDatePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).
Layout$PrintPagePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).
