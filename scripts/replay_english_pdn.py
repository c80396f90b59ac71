#!/usr/bin/env python3
"""Replays PDN games under the standard English draughts rules, to check a PDN writer independently.

Usage: replay_english_pdn.py FILE.pdn [...]

Written on its own, from the English rules only: Black moves first, down the board (towards the higher
square numbers); men step and capture forward, kings one square either way; captures are compulsory
and a capture goes on while the same piece can capture, except that a man crowned by a capture ends
the move there. A move must give every landing square (or only the first and the last when exactly
one capture fits). A move that a {comment} before it marks as "crowned by a capture" comes from a
game whose man goes on capturing after crowning: its jumps are checked one by one and played as
written, and counted apart. Prints one line per refused game and a summary; status 1 if any refused.
"""
import re
import sys

RESULTS = {"1-0", "0-1", "1/2-1/2", "*", "2-0", "0-2", "1-1", "0-0"}


def xy(n):
    r, k = divmod(n - 1, 4)
    return (2 * k + 1 if r % 2 == 0 else 2 * k), r


SQUARE = {xy(n): n for n in range(1, 33)}


def split_games(text):
    """Yields (tags, [(move, marked)]) for each game; comments, variations and NAGs dropped."""
    text = text.lstrip("\ufeff")
    tags, moves, marked, started = {}, [], False, False
    i, depth = 0, 0
    while i < len(text):
        c = text[i]
        if c == "{":
            end = text.index("}", i)
            if depth == 0 and "crowned by a capture" in text[i:end]:
                marked = True
            i = end + 1
        elif c == ";":
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
        elif c == "(":
            depth, i = depth + 1, i + 1
        elif c == ")":
            depth, i = depth - 1, i + 1
        elif depth > 0 or c.isspace():
            i += 1
        elif c == "[":
            end = text.index("]", i)
            m = re.match(r'\[\s*(\w+)\s+"(.*)"\s*\]', text[i:end + 1])
            if moves:
                yield tags, moves
                tags, moves = {}, []
            tags[m.group(1)] = m.group(2)
            started, i = True, end + 1
        else:
            m = re.match(r"[^\s{}()\[\];]+", text[i:])
            word = m.group(0)
            i += len(word)
            if word in RESULTS:
                yield tags, moves
                tags, moves, started = {}, [], False
                continue
            word = re.sub(r"^(\d+\.+)+", "", word).rstrip("!?")
            if word and not word.startswith("$"):
                moves.append((word, marked))
                marked = False
                started = True
    if started:
        yield tags, moves


def setup(tags):
    board = {}
    fen = tags.get("FEN")
    if not fen:
        for n in range(1, 13):
            board[n] = "b"
        for n in range(21, 33):
            board[n] = "w"
        return board, "b"
    side, *lists = fen.strip().rstrip(".").split(":")
    for part in lists:
        colour = part[0].lower()
        for item in filter(None, part[1:].split(",")):
            king = item.startswith("K")
            item = item.lstrip("K")
            lo, _, hi = item.partition("-")
            for n in range(int(lo), int(hi or lo) + 1):
                board[n] = colour.upper() if king else colour
    return board, side.lower()


def directions(piece):
    if piece.isupper():
        return [(-1, -1), (1, -1), (-1, 1), (1, 1)]
    return [(-1, 1), (1, 1)] if piece == "b" else [(-1, -1), (1, -1)]


def crowns(piece, n):
    return (piece == "b" and n >= 29) or (piece == "w" and n <= 4)


def jumps(board, n, piece):
    x, y = xy(n)
    for dx, dy in directions(piece):
        over, land = SQUARE.get((x + dx, y + dy)), SQUARE.get((x + 2 * dx, y + 2 * dy))
        if over and land and land not in board and board.get(over, " ").lower() not in (" ", piece.lower()):
            yield over, land


def capture_paths(board, n, piece, path):
    """Every complete capture from n, the English way: a crowning ends it."""
    found = False
    for over, land in jumps(board, n, piece):
        found = True
        after = dict(board)
        del after[over], after[n]
        crowned = crowns(piece, land)
        after[land] = piece.upper() if crowned else piece
        if crowned:
            yield path + [land]
        else:
            yield from capture_paths(after, land, piece, path + [land])
    if not found and len(path) > 1:
        yield path


def legal_moves(board, side):
    mine = [n for n, p in board.items() if p.lower() == side]
    captures = [p for n in mine for p in capture_paths(board, n, board[n], [n])]
    if captures:
        return captures
    steps = []
    for n in mine:
        x, y = xy(n)
        for dx, dy in directions(board[n]):
            to = SQUARE.get((x + dx, y + dy))
            if to and to not in board:
                steps.append([n, to])
    return steps


def play(board, path):
    piece = board.pop(path[0])
    for a, b in zip(path, path[1:]):
        (ax, ay), (bx, by) = xy(a), xy(b)
        if abs(ax - bx) == 2:
            del board[SQUARE[((ax + bx) // 2, (ay + by) // 2)]]
        if crowns(piece, b):
            piece = piece.upper()
    board[path[-1]] = piece


def play_marked(board, path, side):
    """A house-rule move: each jump must be a capture of that piece as it stands then."""
    work = dict(board)
    piece = work[path[0]] if work.get(path[0], " ").lower() == side else None
    for a, b in zip(path, path[1:]):
        if piece is None or (b not in [land for _, land in jumps(work, a, piece)]):
            return False
        play(work, [a, b])
        piece = work[b]
    board.clear()
    board.update(work)
    return True


def replay(tags, moves):
    board, side = setup(tags)
    marked_count = 0
    for number, (word, marked) in enumerate(moves, 1):
        path = [int(s) for s in re.split(r"[-x:]", word)]
        if marked:
            if not play_marked(board, path, side):
                return f"move {number} {word}: not a capture sequence", marked_count
            marked_count += 1
        else:
            legal = legal_moves(board, side)
            fits = [m for m in legal if m == path] or [m for m in legal if len(path) == 2 and m[0] == path[0] and m[-1] == path[-1]]
            if len(fits) != 1:
                return f"move {number} {word}: not legal under the English rules ({len(fits)} fit)", marked_count
            play(board, fits[0])
        side = "w" if side == "b" else "b"
    return None, marked_count


def main(paths):
    games = refused = marked = 0
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for number, (tags, moves) in enumerate(split_games(text), 1):
            games += 1
            fault, count = replay(tags, moves)
            marked += count
            if fault:
                refused += 1
                print(f"{path}: game {number}: {fault}")
    print(f"{games} games, {refused} refused, {marked} marked house-rule moves played as written")
    return 1 if refused or not games else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
