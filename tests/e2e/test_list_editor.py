"""The list editor by mouse and access keys, Data.Lst checked to the byte; the open-file dialog for ready-made ones."""

import os
import pathlib

from e2e_support import PAUSE_1_S, TIME_50_MS, ProgramTest, controls, press, probe, shown, wait_until, xdotool

LB_GETITEMHEIGHT = 0x1A1
EDITOR, FAILED, CHOOSER = "Affirmations list", "Unable to save list", "Please select affirmations to add to list"
THREE = b'"A much longer affirmation"\r\n"Be calm, be kind"\r\n"Health & happiness"\r\n'


def keys(*names, text=""):
    xdotool(*(("key", "--delay", "60") + names if names else ()), "type", "--delay", "30", text)


class ListEditorTest(ProgramTest):
    def open_editor(self, options):
        press(options, "Randomly select affirmations from list...")
        return wait_until(lambda: shown(EDITOR), "the list editor")

    def items(self, editor):  # [(selected, current, text)]
        lines = probe("items", controls(editor)["ListBox"][0]["hwnd"]).splitlines()
        return [(s == "1", c == "1", text) for s, c, text in (line.split("\t", 2) for line in lines)]

    def click_item(self, editor, index, *held):
        hwnd, rect = (controls(editor)["ListBox"][0][key] for key in ("hwnd", "rect"))
        y = rect[1] + 2 + int(probe("send", hwnd, LB_GETITEMHEIGHT, 0, 0)) * (index + 0.5)
        xdotool("mousemove", rect[0] + 20, int(y), *held, "click", "1", *[k.replace("down", "up") for k in held])

    def close_editor(self, key, data):
        keys(key)
        wait_until(lambda: not shown(EDITOR), "the editor to close")
        self.assertEqual(pathlib.Path(self.folder, "Data.Lst").read_bytes(), data)

    def choose(self, typed):
        wait_until(lambda: (shown(CHOOSER) or {}).get("foreground"), "the open-file dialog")
        keys(text=typed)
        keys("Return")

    def test_edit_add_delete_cancel_and_the_next_showing_is_the_new_entry(self):
        watch = self.watch()
        pathlib.Path(self.folder, "Data.Lst").write_bytes(b'"Hi"\r\n')
        _, options = self.start_ready({"optList": "True", "Pause": PAUSE_1_S, "Time": TIME_50_MS})
        _, before = watch.wait_for(True)
        editor = self.open_editor(self.show_options(options))
        self.click_item(editor, 0)
        wait_until(lambda: "Hi" in controls(editor), "a click to show the entry in the text box")
        keys("alt+t", "ctrl+a", text="A much longer affirmation")  # its label's access key
        self.close_editor("alt+o", b'"A much longer affirmation"\r\n')
        watch.drain()
        press(options, "&Cancel")  # the schedule goes on
        _, after = watch.wait_for(True)
        self.assertGreater(after[2] - after[0], before[2] - before[0], "the former entry's window was shown")

        editor = self.open_editor(self.show_options(options))
        for text in ("Be calm, be kind", "Health & happiness", ""):  # X types accents unreliably
            keys("alt+n", text=text)
        wait_until(lambda: self.items(editor)[-1] == (True, True, ""), "a new empty entry, current and selected")
        self.close_editor("alt+o", THREE)
        editor = self.open_editor(self.show_options(options))
        self.click_item(editor, 0)
        self.click_item(editor, 2, "keydown", "ctrl")
        keys("alt+d")
        wait_until(lambda: self.items(editor) == [(True, True, "Be calm, be kind")], "Delete of the selected")
        self.assertIn("Be calm, be kind", controls(editor), "the text box shows the current entry")
        self.close_editor("Escape", THREE)

    def test_a_save_that_fails_keeps_the_file_and_the_editor_with_its_entries(self):
        pathlib.Path(self.folder, "Data.Lst").write_bytes(b'"Caf\xe9"\r\n')
        editor = self.open_editor(self.show_options(self.start_ready()[1]))
        keys("alt+n", text="new")
        lock = self.launch(os.environ["UPLIFT_PROBE"], "lock", "lock", "Z:" + self.folder + "/Data.Lst")
        wait_until(lambda: pathlib.Path(lock.log.name).read_bytes() == b"locked\r\n", "Data.Lst to be held open")
        keys("alt+o")
        wait_until(lambda: shown(FAILED), "the failure to be told")
        keys("Return")
        wait_until(lambda: not shown(FAILED), "the failure box to close")
        lock.kill()
        self.close_editor("alt+o", b'"Caf\xe9"\r\n"new"\r\n')  # the editor stayed, and saves once the file is free

    def test_ready_made_affirmations_go_into_the_text_box_and_onto_the_list(self):
        os.mkdir(self.folder + "/Affirmations")
        for name in ("I am calm", "I am enough.txt", "Be calm; be kind", "My work matters"):
            pathlib.Path(self.folder, "Affirmations", name).touch()
        options = self.show_options(self.start_ready()[1])
        press(options, "...")
        self.choose("I am enough.txt")
        wait_until(lambda: "I am enough.txt" in controls(options), "the chosen name in the text box")
        editor = self.open_editor(self.show_options(options))
        keys("alt+b")
        self.choose('"My work matters" "Be calm; be kind" "I am calm"')
        chosen = [(True, True, "My work matters"), (False, False, "Be calm; be kind"), (False, False, "I am calm")]
        wait_until(lambda: self.items(editor) == chosen, "three entries in the dialog's order, the first current")
        self.close_editor("alt+o", b'"My work matters"\r\n"Be calm; be kind"\r\n"I am calm"\r\n')
