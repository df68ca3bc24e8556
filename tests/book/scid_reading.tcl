# How Scid (its Tcl interpreter tkscid) reads the first game of a PGN file,
# one line per move of the main line: the move in coordinates, its NAGs, its
# comment and its first variation, then the result; the import's complaints
# first.  Usage: tkscid scid_reading.tcl GAME.pgn SCRATCH_BASE
set base [sc_base create [lindex $argv 1]]
set imported [sc_base import $base [lindex $argv 0]]
if {[lindex $imported 1] ne ""} { puts "import: [lindex $imported 1]" }
sc_base switch $base
sc_game load 1
set nags {?! 6 ? 2 ?? 4}
sc_move start
while {![sc_pos isAt end]} {
  # A variation of the next move starts at the position before it.
  set variation ""
  if {[sc_var count] > 0} {
    # Entering a variation plays its first move.
    sc_var enter 0
    set words [list [sc_game info previousMoveUCI]]
    while {![sc_pos isAt vend]} {
      sc_move forward
      lappend words [sc_game info previousMoveUCI]
    }
    sc_var exit
    set variation " ([join $words])"
  }
  sc_move forward
  set line [sc_game info previousMoveUCI]
  foreach nag [sc_pos getNags] {
    if {$nag ne "0"} { append line " \$[dict get $nags $nag]" }
  }
  set comment [sc_pos getComment]
  if {$comment ne ""} { append line " {$comment}" }
  puts "$line$variation"
}
puts "result [sc_game info result]"
