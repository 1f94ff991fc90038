"""The window lists probe_windows.exe prints: a "frame" line, then a line per child window with its id,
visibility, enabled state, rectangle and caption (a list box's items separated by tabs; a line end
in a caption as the two characters \\n)."""


class Win:
    def __init__(self, line):
        parts = line.split(" ", 7)
        self.id, self.visible, self.enabled = int(parts[0]), parts[1] == "1", parts[2] == "1"
        self.rect = tuple(int(v) for v in parts[3:7])
        self.caption = parts[7] if len(parts) > 7 else ""
        self.items = self.caption.split("\t")  # of a list box

    def __repr__(self):
        return f"<{self.id} vis={self.visible} en={self.enabled} {self.rect} {self.caption[:30]!r}>"


def children(lines):
    """The windows of the lines after the frame line, by id; the first of those sharing an id."""
    wins = {}
    for line in lines:
        w = Win(line)
        wins.setdefault(w.id, w)
    return wins
