"""The list editor as a user meets it, by mouse and access keys: entries edited, added, deleted and cancelled, with
Data.Lst checked to the byte and the next showing made for the new entry; a save that fails while another program
holds the file; ready-made affirmations taken from the Affirmations folder through the open-file dialog."""

import os
import subprocess

from e2e_support import (OPTIONS_TITLE, PAUSE_1_S, TIME_50_MS, ProgramTest, probe, reg_texts, wait_until, windows,
                         wine_env, xdotool)

WM_COMMAND, BM_CLICK, LB_GETITEMHEIGHT, MNU_SHOW = 0x111, 0xF5, 0x1A1, 101
EDITOR, FAILED, CHOOSER = "Affirmations list", "Unable to save list", "Please select affirmations to add to list"


def controls(window):
    """The window's controls by text (the last of a text wins) and by class."""
    found = {}
    for line in probe("controls", window["hwnd"]).splitlines():
        hwnd, cls, _, _, _, rect, text = line.split("\t")
        entry = {"hwnd": hwnd, "rect": tuple(int(v) for v in rect.split(",")), "text": text}
        found.setdefault(cls, []).append(entry)
        found[text] = entry
    return found


def keys(*names):
    xdotool("key", "--delay", "60", *names)


def type_text(text):
    xdotool("type", "--delay", "30", text)


def shown(title):
    found = windows(title=title, visible=True)
    return found[0] if found else None


class ListEditorTest(ProgramTest):
    def data(self):
        with open(os.path.join(self.folder, "Data.Lst"), "rb") as f:
            return f.read()

    def show_options(self, options):
        probe("post", options["hwnd"], WM_COMMAND, MNU_SHOW)
        return wait_until(lambda: shown(OPTIONS_TITLE), "the options window")

    def open_editor(self, options):
        probe("post", controls(options)["Randomly select affirmations from list..."]["hwnd"], BM_CLICK)
        return wait_until(lambda: shown(EDITOR), "the list editor")

    def items(self, editor):
        """[(selected, current, text)] of the editor's list."""
        lines = probe("items", controls(editor)["ListBox"][0]["hwnd"]).splitlines()
        return [(s == "1", c == "1", text) for s, c, text in (line.split("\t", 2) for line in lines)]

    def texts(self, editor):
        return [text for _, _, text in self.items(editor)]

    def click_item(self, editor, index, modifier=None):
        box = controls(editor)["ListBox"][0]
        height = int(probe("send", box["hwnd"], LB_GETITEMHEIGHT, 0, 0))
        xdotool("mousemove", box["rect"][0] + 20, box["rect"][1] + 2 + height * index + height // 2)
        held = ["keydown", modifier] if modifier else []
        xdotool(*held, "click", "1", *(["keyup", modifier] if modifier else []))

    def close_editor(self, key, data):
        keys(key)
        wait_until(lambda: not shown(EDITOR), "the editor to close")
        self.assertEqual(self.data(), data)

    def test_edit_add_delete_and_cancel_the_file_to_the_byte_and_the_next_showing_is_the_new_entry(self):
        watch = self.watch()
        _, options = self.start_ready({"optList": "True", "Pause": PAUSE_1_S, "Time": TIME_50_MS}, ["Hi"])
        _, before = watch.wait_for(True)
        editor = self.open_editor(self.show_options(options))
        self.click_item(editor, 0)
        wait_until(lambda: "Hi" in controls(editor), "a click to show the entry in the text box")
        box = controls(editor)["Edit"][0]["rect"]
        xdotool("mousemove", box[0] + 10, box[1] + 5, "click", "1")
        keys("ctrl+a")
        type_text("A much longer affirmation")
        self.close_editor("alt+o", b'"A much longer affirmation"\r\n')
        watch.drain()
        probe("post", controls(options)["&Cancel"]["hwnd"], BM_CLICK)  # the schedule goes on from the store
        _, after = watch.wait_for(True)
        self.assertGreater(after[2] - after[0], before[2] - before[0], "the former entry's window was shown")

        editor = self.open_editor(self.show_options(options))
        for text in ("Be calm, be kind", "Caf\u00e9 & cr\u00e8me", ""):
            keys("alt+n")
            type_text(text)
        wait_until(lambda: self.items(editor)[-1] == (True, True, ""), "a new empty entry, current and selected")
        self.close_editor("alt+o", b'"A much longer affirmation"\r\n"Be calm, be kind"\r\n"Caf\xe9 & cr\xe8me"\r\n')

        editor = self.open_editor(self.show_options(options))
        self.assertEqual(self.texts(editor), ["A much longer affirmation", "Be calm, be kind", "Caf\u00e9 & cr\u00e8me"])
        self.click_item(editor, 0)
        self.click_item(editor, 2, "ctrl")
        wait_until(lambda: [s for s, _, _ in self.items(editor)] == [True, False, True], "two entries selected")
        keys("alt+d")
        wait_until(lambda: self.items(editor) == [(True, True, "Be calm, be kind")], "Delete of the selected")
        self.assertIn("Be calm, be kind", controls(editor), "the text box shows the current entry")
        self.close_editor("Escape", b'"A much longer affirmation"\r\n"Be calm, be kind"\r\n"Caf\xe9 & cr\xe8me"\r\n')

    def test_a_save_that_fails_keeps_the_file_and_the_editor_with_its_entries(self):
        editor = self.open_editor(self.show_options(self.start_ready(list_entries=["old"])[1]))
        keys("alt+n")
        type_text("new")
        lock = subprocess.Popen(["wine", os.environ["UPLIFT_PROBE"], "lock", "Z:" + os.path.join(self.folder, "Data.Lst")],
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=wine_env())
        self.addCleanup(lambda: lock.poll() is not None or (lock.kill(), lock.wait()))
        self.assertEqual(lock.stdout.readline(), b"locked\n")
        keys("alt+o")
        wait_until(lambda: shown(FAILED), "the failure to be told")
        self.assertEqual((self.data(), self.texts(editor), bool(shown(EDITOR))), (b'"old"\r\n', ["old", "new"], True))
        keys("Return")
        wait_until(lambda: not shown(FAILED), "the failure box to close")
        lock.kill(), lock.wait()
        self.close_editor("alt+o", b'"old"\r\n"new"\r\n')

    def test_ready_made_affirmations_go_into_the_text_box_and_onto_the_list(self):
        os.mkdir(os.path.join(self.folder, "Affirmations"))
        for name in ("I am calm", "I am enough.txt", "Be calm; be kind", "My work matters"):
            open(os.path.join(self.folder, "Affirmations", name), "w").close()
        options = self.show_options(self.start_ready()[1])
        probe("post", controls(options)["..."]["hwnd"], BM_CLICK)
        wait_until(lambda: (shown(CHOOSER) or {}).get("foreground"), "the open-file dialog")
        type_text("I am enough.txt")
        keys("Return")
        wait_until(lambda: "I am enough.txt" in controls(options), "the chosen name in the text box")
        probe("post", controls(options)["&Ok"]["hwnd"], BM_CLICK)
        wait_until(lambda: reg_texts().get("txtCaption") == "I am enough.txt", "OK to store the chosen name")

        editor = self.open_editor(self.show_options(options))
        keys("alt+b")
        wait_until(lambda: (shown(CHOOSER) or {}).get("foreground"), "the open-file dialog")
        type_text('"My work matters" "Be calm; be kind" "I am calm"')
        keys("Return")
        chosen = [(True, True, "My work matters"), (False, False, "Be calm; be kind"), (False, False, "I am calm")]
        wait_until(lambda: self.items(editor) == chosen, "three entries in the dialog's order, the first current")
        self.close_editor("alt+o", b'"My work matters"\r\n"Be calm; be kind"\r\n"I am calm"\r\n')
