// How chess.js reads the first game of a PGN file, one line per move of the
// main line: the move in coordinates, its NAGs, its comment and its first
// variation replayed from the position before the move, then the result.
// Chess keeps only the main line and comments, so NAGs and variations come
// from the package's own PGN grammar, the one Chess.loadPgn parses with.
import { readFileSync } from 'node:fs'
import { Chess } from 'chess.js'
import { parse } from 'chess.js/src/pgn.js'

const text = readFileSync(process.argv[2], 'utf8')
const game = new Chess()
game.loadPgn(text, { strict: true })
const comments = new Map(game.getComments().map((c) => [c.fen, c.comment]))

const coordinates = (move) => move.from + move.to + (move.promotion ?? '')
const tree = parse(text)
const board = new Chess(game.getHeaders().FEN ?? undefined)
let node = tree.root
for (;;) {
  const [next, ...others] = node.variations
  if (!next) break
  const before = board.fen()
  let line = coordinates(board.move(next.move, { strict: true }))
  for (const nag of next.nag ?? []) line += ` $${nag}`
  if (comments.has(board.fen())) line += ` {${comments.get(board.fen())}}`
  if (others.length) {
    const side = new Chess(before)
    const words = []
    for (let v = others[0].variations[0]; v; v = v.variations[0]) words.push(coordinates(side.move(v.move, { strict: true })))
    line += ` (${words.join(' ')})`
  }
  console.log(line)
  node = next
}
console.log(`result ${tree.result}`)
