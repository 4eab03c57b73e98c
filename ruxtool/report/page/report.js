// Draws the report from the data ruxtool wrote into the page, in Japanese where the browser prefers
// Japanese and in English otherwise. Every text goes in as text, never as markup.
(function () {
  "use strict";

  var data = JSON.parse(document.getElementById("report-data").textContent);
  var preferred = (navigator.languages && navigator.languages[0]) || navigator.language || "en";
  var language = preferred.toLowerCase().indexOf("ja") === 0 ? "ja" : "en";
  var texts = ruxtoolReportTexts[language];
  var files = document.querySelector('meta[name="ruxtool-report-files"]').content;

  function fill(template, values) {
    return template.replace(/\{(\w+)\}/g, function (whole, name) {
      return name in values ? String(values[name]) : whole;
    });
  }

  function element(tag, className, text) {
    var node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  function decibels(value) {
    return value === null ? texts.silent : value.toFixed(1);
  }

  function signed(value) {
    return (value >= 0 ? "+" : "") + value.toFixed(1);
  }

  // m:ss.mmm
  function time(frames, rate) {
    var milliseconds = Math.round((frames * 1000) / rate);
    var minutes = Math.floor(milliseconds / 60000);
    var rest = milliseconds - minutes * 60000;
    var seconds = Math.floor(rest / 1000);
    var thousandths = String(rest % 1000);
    return minutes + ":" + (seconds < 10 ? "0" : "") + seconds + "." + "000".slice(thousandths.length) + thousandths;
  }

  function size(bytes) {
    return bytes < 1048576 ? (bytes / 1024).toFixed(1) + " KiB" : (bytes / 1048576).toFixed(1) + " MiB";
  }

  function framesFact(fact, frames, rate) {
    var value = element("dd");
    var pieces = texts.frames.split("{frames}");
    value.appendChild(document.createTextNode(pieces[0]));
    var number = element("span", "frames", String(frames));
    number.setAttribute("data-fact", fact);
    value.appendChild(number);
    value.appendChild(document.createTextNode(fill(pieces[1], { time: time(frames, rate) })));
    return value;
  }

  function addFact(list, label, value) {
    list.appendChild(element("dt", "", label));
    list.appendChild(typeof value === "string" ? element("dd", "", value) : value);
  }

  function seamText(seam) {
    var name = texts.seamNames[seam.name] || seam.name;
    if (!seam.measured) return fill(texts.seamUnmeasured, { name: name });
    var cost = seam.bodySnr - seam.seamSnr;
    return fill(texts.seamMeasured, {
      name: name,
      seam: seam.seamSnr.toFixed(1),
      body: seam.bodySnr.toFixed(1),
      cost: fill(cost <= 0 ? texts.better : texts.worse, { value: Math.abs(cost).toFixed(1) })
    });
  }

  function facts(stream) {
    var list = element("dl", "facts");
    var rate = stream.rate;
    list.appendChild(element("dt", "", texts.length));
    list.appendChild(framesFact("length", stream.loopEnd, rate));
    if (stream.twoParts) {
      list.appendChild(element("dt", "", texts.loopStart));
      list.appendChild(framesFact("loop-start", stream.loopStart, rate));
      list.appendChild(element("dt", "", texts.loopEnd));
      list.appendChild(framesFact("loop-end", stream.loopEnd, rate));
    }
    if (stream.recorded) {
      addFact(list, texts.loopFrom, stream.loopFrom || stream.loopGiven);
      addFact(list, texts.loopMoved, stream.loopMoved || texts.notMoved);
      if (stream.crossfadeFrames) {
        addFact(list, texts.crossfade, fill(texts.crossfadeFigures, {
          frames: stream.crossfadeFrames,
          milliseconds: (1000 * stream.crossfadeFrames / rate).toFixed(0)
        }));
      }
      if (stream.seams.length) addFact(list, texts.seams, stream.seams.map(seamText).join("\n"));
      if (stream.join) {
        addFact(list, texts.join, fill(texts.joinFigures, {
          percentile: stream.join.percentile.toFixed(0),
          excess: signed(stream.join.excess),
          beyond: signed(stream.join.beyond)
        }));
      }
    } else {
      addFact(list, texts.loopFrom, texts.notRecorded);
    }
    addFact(list, texts.wrap, fill(texts.wrapFigures, {
      percentile: stream.wrapPercentile.toFixed(0),
      dip: Math.max(0, stream.dip).toFixed(1)
    }));
    addFact(list, texts.loudness, fill(texts.loudnessFigures, {
      lufs: decibels(stream.lufs),
      peak: decibels(stream.truePeak),
      ceiling: stream.ceiling.toFixed(1)
    }));
    addFact(list, texts.size, size(stream.bytes));
    addFact(list, texts.format, fill(texts.formatFigures, { channels: stream.channels, rate: stream.rate }));
    return list;
  }

  function picture(className, file, caption) {
    var figure = element("figure", className);
    var image = element("img");
    image.src = files + "/" + file;
    image.alt = caption;
    figure.appendChild(image);
    figure.appendChild(element("figcaption", "", caption));
    return figure;
  }

  function player(file, frames, rate, caption) {
    var figure = element("figure", "player");
    figure.appendChild(element("figcaption", "", caption));
    var audio = element("audio");
    audio.controls = true;
    audio.preload = "metadata";
    audio.src = files + "/" + file;
    audio.setAttribute("data-frames", String(frames));
    audio.setAttribute("data-rate", String(rate));
    figure.appendChild(audio);
    return figure;
  }

  function streamCard(stream) {
    var failed = "failure" in stream;
    var card = element("article", "stream " + (failed ? "failed" : stream.marks.length ? "marked" : "clean"));
    card.setAttribute("data-name", stream.name);
    var heading = element("h2");
    heading.appendChild(element("span", "name", stream.name));
    heading.appendChild(element("span", "kind", stream.twoParts ? texts.twoParts : texts.single));
    card.appendChild(heading);
    if (failed) {
      card.appendChild(element("p", "failure", fill(texts.failed, { reason: stream.failure })));
      return card;
    }
    var marks = element("ul", "marks");
    stream.marks.forEach(function (mark) {
      var item = element("li", "mark", texts.marks[mark]);
      item.setAttribute("data-mark", mark);
      marks.appendChild(item);
    });
    if (!stream.marks.length) marks.appendChild(element("li", "no-mark", texts.clean));
    card.appendChild(marks);
    card.appendChild(facts(stream));
    var media = stream.media;
    card.appendChild(picture("envelope", media.envelope, stream.twoParts ? texts.envelope : texts.envelopeSingle));
    var wrap = element("div", "wrap-pictures");
    wrap.appendChild(picture("close-up", media.closeUp, texts.closeUp));
    wrap.appendChild(picture("level", media.level, texts.level));
    card.appendChild(wrap);
    var players = element("div", "players");
    players.appendChild(player(media.wrap, media.wrapFrames, stream.rate, texts.wrapPlayer));
    if (media.entry) players.appendChild(player(media.entry, media.entryFrames, stream.rate, texts.entryPlayer));
    card.appendChild(players);
    return card;
  }

  var totals = data.totals;
  document.documentElement.lang = language;
  document.title = texts.title;
  document.getElementById("title").textContent = texts.title;
  document.getElementById("totals").textContent = fill(totals.measured ? texts.totals : texts.totalsUnmeasured, {
    streams: totals.streams,
    marked: totals.marked,
    failed: totals.failed,
    lowest: decibels(totals.lowestLufs),
    highest: decibels(totals.highestLufs),
    median: decibels(totals.medianLufs)
  });
  document.getElementById("legend").textContent = texts.legend;
  var list = document.getElementById("streams");
  data.streams.forEach(function (stream) {
    list.appendChild(streamCard(stream));
  });
})();
