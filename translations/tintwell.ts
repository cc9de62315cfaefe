<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en_GB">
<context>
    <name>Magnifier</name>
    <message>
        <source>1 pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %1 mean</source>
        <extracomment>%1 is the side, in pixels, of the square whose mean (average) is the colour.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1× · %2</source>
        <extracomment>%1 is the zoom, %2 the sample, as in &quot;8× · 1 pixel&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ − zoom   [ ] mean   Esc cancel</source>
        <extracomment>The keys: + and − zoom, [ and ] change the square averaged, Esc cancels the pick.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PickNote</name>
    <message>
        <source>Picking from the screen is not possible on this display.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program is holding the pointer or the keyboard; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picking from the screen needs xdg-desktop-portal, which is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop&apos;s portal offers no screenshots, so no colour can be picked from the screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop&apos;s portal cannot pick colours.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop did not let Tintwell see the screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop could not take a screenshot; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop did not answer in time; try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s answer held no usable colour.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot could not be used, so no colour was picked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s picker gave no colour. The next pick will be made from a still of the screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop&apos;s portal can neither pick a colour nor take a screenshot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop refused Tintwell a screenshot, so the next pick uses the desktop&apos;s own picker. To allow screenshots again, see &quot;Screenshots&quot; in the manual (man tintwell).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::platform::MagnifierWindow</name>
    <message>
        <source>Magnifier</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::platform::PortalGlobalShortcut</name>
    <message>
        <source>Pick a colour and copy it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::platform::StillView</name>
    <message>
        <source>Still of the screen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::ui::ColorCommands</name>
    <message>
        <source>Pick from Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy #RRGGBB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy rgb()</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Colour Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to pick a colour from the screen (Ctrl+P). Drag the swatch into another program. Right-click to copy the colour (Ctrl+Shift+C) or paste one (Ctrl+Shift+V).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy hsl()</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy oklch()</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s screenshot; it may be asking you whether to allow it. Press Esc or click the swatch to stop waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the desktop&apos;s colour picker. Press Esc or click the swatch to stop waiting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard holds no colour. Paste #RGB, #RRGGBB, rgb(…), hsl(…), oklch(…) or another CSS colour, or a colour name such as &quot;teal&quot;.</source>
        <extracomment>The notations and the CSS name are what a paste understands; they stay as they are.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Colours</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::ui::ColorSwatch</name>
    <message>
        <source>AAA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AA Large</source>
        <extracomment>Passes for large text only.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fails</source>
        <extracomment>Reaches no WCAG level for text.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : 1 on white (%2)</source>
        <extracomment>%1 is the contrast ratio (&quot;4.6&quot;), %2 the WCAG level it reaches (&quot;AA&quot;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : 1 on black (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 : 1 against %2, the colour before (%3)</source>
        <extracomment>%1 the ratio, %2 the colour taken before it, as #RRGGBB, %3 the level.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tintwell::ui::frmMain</name>
    <message>
        <source>This desktop (Wayland) lets no program keep its window above others.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour swatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour decimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
