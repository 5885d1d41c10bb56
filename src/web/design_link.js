"use strict";
// A design carried in the page's address, keyed as velmoka-cli's options:
//   #units=mils&w=10&h=5&er=4.4
// Each value is text to be typed into its box, decoded from the address; a part that does not
// decode is taken as it stands. "+" stays a plus sign, as in 1e+3.
const designLink = {
    // The [key, text] pairs of an address's fragment, in their order.
    read(fragment) {
        const decoded = (part) => {
            try {
                return decodeURIComponent(part);
            } catch {
                return part;
            }
        };
        return fragment.replace(/^#/, "").split("&").filter((part) => part !== "").map((part) => {
            const equals = part.indexOf("=");
            return equals < 0 ? [decoded(part), ""] : [decoded(part.slice(0, equals)), decoded(part.slice(equals + 1))];
        });
    },

    // The fragment of the given [key, text] pairs; empty for none.
    write(pairs) {
        const parts = pairs.map(([key, text]) => `${encodeURIComponent(key)}=${encodeURIComponent(text)}`);
        return parts.length === 0 ? "" : `#${parts.join("&")}`;
    },
};
